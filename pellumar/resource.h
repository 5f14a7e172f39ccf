// Resource, command and control ids of pellumar.
#ifndef PELLUMAR_RESOURCE_H
#define PELLUMAR_RESOURCE_H

#include "../shared/toolres.h"

// Dialogs and menus
#define IDD_PELLUMAR_FORM 101
#define IDD_CHANGE_DIR    102
#define IDD_RUN_COMMAND   103
#define IDD_FROM_TO       104
#define IDD_DELETE        105
#define IDD_DIR_NAME      106
#define IDR_POPUP         107
#define IDD_PATTERN       108
#define IDD_CAL           109
#define IDD_DRIVE_DETAILS 110

// Controls
#define IDC_HEADER                 108
#define IDC_CAL_MONTH              113
#define IDC_CAL_YEAR               114
#define IDC_CAL_TITLE              115
#define IDC_CAL_GRID               116
#define IDC_LONG_LIST              1000
#define IDC_DIRECTORY              1002
#define IDC_DIR_LIST               1003
#define IDC_RUN_COMMAND            1004
#define IDC_RUN_FILE               1005
#define IDC_DELETE_FILES           1005
#define IDC_DELETE_CONFIRM         1006
#define IDC_DIR_NAME               1007
#define IDC_CURRENT_DIR            1008
#define IDC_RUN_EXECUTE            1009
#define IDC_PATTERN                1009
#define IDC_RUN_ZODO               1010
#define IDC_SHORT_LIST             1010
#define IDC_RUN_OLMET              1011
#define IDC_DETAILS_CWD            1011
#define IDC_FROM                   1012
#define IDC_DETAILS_SECTORS        1012
#define IDC_TO                     1013
#define IDC_DETAILS_BYTES          1013
#define IDC_DETAILS_FREE_CLUSTERS  1014
#define IDC_DETAILS_TOTAL_CLUSTERS 1015
#define IDC_DETAILS_PERCENT        1016
#define IDC_DETAILS_TYPE           1017
#define IDC_DETAILS_TOTAL_MB       1018
#define IDC_DETAILS_FREE_MB        1019
#define IDC_BROWSE                 3

// File menu
#define ID_FILE_CHANGE_DIR  32771
#define ID_FILE_COPY        32816
#define ID_FILE_DELETE      32817
#define ID_FILE_RENAME      32818
#define ID_FILE_MAKE_DIR    32819
#define ID_FILE_REMOVE_DIR  32820
#define ID_FILE_RUN_COMMAND 32821
#define ID_FILE_DETAILS     32837
#define ID_FILE_REFRESH     32805
#define ID_FILE_EDITOR      32786
#define ID_FILE_SHELL       32787
#define ID_FILE_SETUP       32788

// Edit and View menus
#define ID_EDIT_COPY_ALL     32815
#define ID_VIEW_SHOW_DIRS    32822
#define ID_VIEW_SHOW_FILES   32823
#define ID_VIEW_SORT_NAME    32824
#define ID_VIEW_SORT_SIZE    32825
#define ID_VIEW_SORT_TIME    32826
#define ID_VIEW_SHOW_ALL     32827
#define ID_VIEW_PATTERN      32831
#define ID_VIEW_LONG_LISTING 32834

// Utilities, Filters, Frandel: the launchers (ids in launch.cpp) and Cal
#define ID_UTILITIES_CAL 32835

// Help
#define ID_HELP_CONTENTS 32804

#endif
