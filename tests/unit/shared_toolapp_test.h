// Command ids of the tool-skeleton test program, shared by its source and
// its resources. They are chosen apart from every framework id, so that a
// command found handled was routed by the skeleton.
#ifndef TESTS_SHARED_TOOLAPP_TEST_H
#define TESTS_SHARED_TOOLAPP_TEST_H

#define ID_TEST_VIEW_FILE     32790
#define ID_TEST_HELP_CONTENTS 32791
#define ID_TEST_SAVE_OUTPUT   32792
#define ID_TEST_UNBOUND       32793

#endif
