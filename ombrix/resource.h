// Resource ids of ombrix. The end-to-end tests include this header too.
#ifndef OMBRIX_RESOURCE_H
#define OMBRIX_RESOURCE_H

#include "../shared/toolres.h"

// Dialogs
#define IDD_SELECT_UTILITY 101
#define IDD_DU             102
#define IDD_FILETYPE       103
#define IDD_SPLIT          104
#define IDD_STRINGS        110
#define IDD_WC             111
#define IDD_TAIL           112
#define IDD_CSPLIT         113

// Commands
#define ID_HELP_CONTENTS    32768
#define ID_FILE_SAVE_OUTPUT 32769
#define ID_FILE_SWITCH_TO   32770
#define ID_VIEW_FILE        32771

// Utility selection dialog: seven radio buttons in table order
#define IDC_UTIL_CSPLIT  1000
#define IDC_UTIL_DU      1001
#define IDC_UTIL_FILE    1002
#define IDC_UTIL_SPLIT   1003
#define IDC_UTIL_STRINGS 1004
#define IDC_UTIL_TAIL    1005
#define IDC_UTIL_WC      1006

// Word count dialog
#define IDC_WC_DIRLIST   1100
#define IDC_WC_BYTES     1101
#define IDC_WC_DIRECTORY 1102
#define IDC_WC_FILENAMES 1103
#define IDC_WC_LINES     1104
#define IDC_WC_WORDS     1105

// Disk usage dialog (the two unit radios form one group)
#define IDC_DU_DIRLIST     1200
#define IDC_DU_LISTALL     1201
#define IDC_DU_DIRECTORY   1202
#define IDC_DU_UNITS_KB    1203
#define IDC_DU_UNITS_512   1204
#define IDC_DU_EXCLUDE     1205
#define IDC_DU_UTILIZATION 1206

// File type dialog
#define IDC_FILE_DIRLIST     1300
#define IDC_FILE_MAGICFIRST  1301
#define IDC_FILE_DEBUG_NONE  1302
#define IDC_FILE_DEBUG_REG   1303
#define IDC_FILE_DEBUG_MAGIC 1304
#define IDC_FILE_DIRECTORY   1305
#define IDC_FILE_FILES       1306

// Split dialog
#define IDC_SPLIT_EXTENSION 1400
#define IDC_SPLIT_FILENAME  1401
#define IDC_SPLIT_SPLIT     1402
#define IDC_SPLIT_UNSPLIT   1403
#define IDC_SPLIT_LINES     1404
#define IDC_SPLIT_BYTES     1405
#define IDC_SPLIT_KILOBYTES 1406
#define IDC_SPLIT_MEGABYTES 1407
#define IDC_SPLIT_COUNT     1408
#define IDC_SPLIT_BROWSE    1409

// Strings dialog
#define IDC_STRINGS_FILELIST  1500
#define IDC_STRINGS_DIRECTORY 1501
#define IDC_STRINGS_FILES     1502
#define IDC_STRINGS_LENGTH    1503
#define IDC_STRINGS_OFF_NONE  1504
#define IDC_STRINGS_OFF_DEC   1505
#define IDC_STRINGS_OFF_OCT   1506
#define IDC_STRINGS_OFF_HEX   1507

// Head and tail dialog
#define IDC_TAIL_FILELIST  1600
#define IDC_TAIL_HEAD      1601
#define IDC_TAIL_TAIL      1602
#define IDC_TAIL_DIRECTORY 1603
#define IDC_TAIL_FILES     1604
#define IDC_TAIL_SKIP      1605
#define IDC_TAIL_LINES     1606

// Context split dialog
#define IDC_CSPLIT_ARGUMENTS 1700
#define IDC_CSPLIT_FILENAME  1701
#define IDC_CSPLIT_PREFIX    1702
#define IDC_CSPLIT_DIGITS    1703
#define IDC_CSPLIT_BROWSE    1704

#endif
