// Resource ids of trevak. The end-to-end tests include this header too.
#ifndef TREVAK_RESOURCE_H
#define TREVAK_RESOURCE_H

#include "../framework/afxres.h"

// Dialogs
#define IDD_ABOUTBOX      100
#define IDD_TREVAK_FORM   101
#define IDD_READ_ARCHIVE  102
#define IDD_MAKE_DIR      103
#define IDD_BROWSE_DIR    104
#define IDD_RENAME        105
#define IDD_READING       106
#define IDD_WRITE_ARCHIVE 107
#define IDD_WRITING       108
#define IDD_ARCHIVE_INFO  110

// Commands
#define ID_HELP_CONTENTS 32775
#define ID_READ_ARCHIVE  32776
#define ID_WRITE_ARCHIVE 32777
#define ID_SELECT_ALL    32779
#define ID_DESELECT_ALL  32780
#define ID_CLOSE_ARCHIVE 32781
#define ID_DETAILS       32782
#define ID_COPY_ALL      32783
#define ID_VERBOSE       32784

// The member list of the form
#define IDC_MEMBERS 1000

// Read Archive and Write Archive
#define IDC_DIRECTORY      1001
#define IDC_ALL_FILES      1002
#define IDC_SELECTED_FILES 1003
#define IDC_RENAME         1004
#define IDC_NO_OVERWRITE   1005
#define IDC_IGNORE_OLDER   1006
#define IDC_BROWSE         1007
#define IDC_CREATE_DIR     1008
#define IDC_RESTORE_TIMES  1016
#define IDC_FILES          1017
#define IDC_DESCEND        1018
#define IDC_CPIO           1019
#define IDC_USTAR          1003
#define IDC_TAR            1020
#define IDC_CREATE         1021
#define IDC_APPEND         1022

// Archive Information
#define IDC_INFO_NAME    1028
#define IDC_INFO_FORMAT  1019
#define IDC_INFO_MEMBERS 1020
#define IDC_INFO_SIZE    1021
#define IDC_INFO_UPDATED 1022

// Browse, Make Directory, Rename, Reading and Writing
#define IDC_NEW_DIR       1010
#define IDC_CURRENT_DIR   1011
#define IDC_DIR_LIST      1012
#define IDC_RENAME_FROM   1013
#define IDC_RENAME_TO     1014
#define IDC_PROGRESS_NAME 1015

#endif
