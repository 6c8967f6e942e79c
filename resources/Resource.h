#pragma once
// Numeric identifiers of commands, controls, dialogs and strings. The
// numbers are part of the program's identity (status prompts, tooltips and
// messages are looked up by them) and never change.

// Resources of the main window: menu, accelerators, toolbar, icon, document string.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDI_DOCUMENT = 129;

// Dialogs
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_OPTIONS = 130;
constexpr int IDD_RECEIVE = 133;
constexpr int IDD_PORTS = 134;

// Controls
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_NAME_EDIT = 1000;
constexpr int IDC_SHADE = 1002;
constexpr int IDC_TEXT_OFFSET = 1003;
constexpr int IDC_LEFT_MARGIN = 1004;
constexpr int IDC_TOP_MARGIN = 1005;
constexpr int IDC_ZOOM_X = 1006;
constexpr int IDC_ZOOM_Y = 1007;
constexpr int IDC_FIT_LONG_NAMES = 1013;
constexpr int IDC_COM1 = 1009;
constexpr int IDC_COM2 = 1010;
constexpr int IDC_COM3 = 1011;
constexpr int IDC_COM4 = 1012;
constexpr int IDC_PORTS = 1013;

// Commands of the program
constexpr int ID_OPTIONS = 32771;
constexpr int ID_FONT = 32772;
constexpr int ID_FIELD_COLOR = 32773;
constexpr int ID_FIELD_INSERT = 32774;
constexpr int ID_FIELD_REMOVE = 32775;
constexpr int ID_FIELD_DEFAULT_COLOR = 32776;
constexpr int ID_RECEIVE_NAMES = 32778;
constexpr int ID_PORTS = 32779;
constexpr int ID_FILE_IMPORT_NAMES = 32790;
constexpr int ID_FILE_EXPORT_NAMES = 32791;

// Standard commands
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_FILE4 = 57619;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP_INDEX = 57670;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// Print preview bar
constexpr int ID_PREVIEW_CLOSE = 58112;
constexpr int ID_PREVIEW_NUMPAGE = 58113;
constexpr int ID_PREVIEW_NEXT = 58114;
constexpr int ID_PREVIEW_PREV = 58115;
constexpr int ID_PREVIEW_PRINT = 58116;
constexpr int ID_PREVIEW_ZOOMIN = 58117;
constexpr int ID_PREVIEW_ZOOMOUT = 58118;

// Strings of the shell
constexpr int IDS_APP_TITLE = 57344;
constexpr int IDS_IDLEMESSAGE = 57345;
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int IDS_UNTITLED = 61440;
constexpr int IDS_SAVEFILE = 61441;
constexpr int IDS_OPENFILE = 61442;
constexpr int IDS_ALLFILTER = 61444;

// Framework messages
constexpr int IDP_INVALID_FILENAME = 61696;
constexpr int IDP_FAILED_TO_OPEN_DOC = 61697;
constexpr int IDP_FAILED_TO_SAVE_DOC = 61698;
constexpr int IDP_ASK_TO_SAVE = 61699;
constexpr int IDP_FAILED_TO_START_PRINT = 61702;
constexpr int IDP_FAILED_TO_LAUNCH_HELP = 61703;
constexpr int IDP_PARSE_INT = 61712;
constexpr int IDP_PARSE_REAL = 61713;
constexpr int IDP_PARSE_INT_RANGE = 61714;
constexpr int IDP_PARSE_REAL_RANGE = 61715;
constexpr int IDP_FILE_NOT_FOUND = 61730;
constexpr int IDP_FILE_ACCESS_DENIED = 61733;
constexpr int IDP_FILE_DISK_FULL = 61732;
constexpr int IDP_ARCH_BADFORMAT = 61734;

// Printing
constexpr int IDS_PRINTING_BOX = 30722;
constexpr int IDS_PRINTONPORT = 61450;
constexpr int IDS_PRINTTOFILE = 61451;
constexpr int IDS_PRINTPAGENUM = 61452;
constexpr int IDS_PREVIEWPAGEDESC = 61453;
constexpr int IDS_PRINTFILTER = 61454;
constexpr int IDS_PRINTDEFAULTEXT = 61455;
constexpr int IDS_PRINTDEFAULT = 61456;
constexpr int IDS_PRINTCAPTION = 61457;
constexpr int IDS_PRINTING = 61458;
constexpr int IDS_PRINTING_ON = 61459;
constexpr int IDS_ONEPAGE = 61460;
constexpr int IDS_TWOPAGE = 61461;
// Printing from the command line
constexpr int IDS_NO_DEFAULT_PRINTER = 30730;
constexpr int IDS_PRINTER_NOT_FOUND = 30731;
constexpr int IDS_PDF_NOT_WRITABLE = 30732;
constexpr int IDS_PDF_IS_INPUT = 30733;
constexpr int IDS_PDF_NOT_A_PDF = 30734;

// Field menu items
constexpr int IDS_FIELD_COLOR = 33000;
constexpr int IDS_FIELD_INSERT = 33001;
constexpr int IDS_FIELD_REMOVE = 33002;
constexpr int IDS_FIELD_DEFAULT_COLOR = 33003;

// Undo and redo: menu texts (plain and naming the step) and the steps' names
constexpr int IDS_MENU_UNDO = 33010;
constexpr int IDS_MENU_UNDO_STEP = 33011;
constexpr int IDS_MENU_REDO = 33012;
constexpr int IDS_MENU_REDO_STEP = 33013;
constexpr int IDS_STEP_NAME = 33020;
constexpr int IDS_STEP_INSERT = 33021;
constexpr int IDS_STEP_REMOVE = 33022;
constexpr int IDS_STEP_COLOR = 33023;
constexpr int IDS_STEP_DEFAULT_COLOR = 33024;
constexpr int IDS_STEP_OPTIONS = 33025;
constexpr int IDS_STEP_FONT = 33026;
constexpr int IDS_STEP_RECEIVE = 33027;
constexpr int IDS_STEP_IMPORT = 33028;

// Names too long for their field
constexpr int IDS_UNFIT_LIST = 33030;
constexpr int IDS_UNFIT_ONE = 33031;
constexpr int IDS_UNFIT_ASK = 33032;
constexpr int IDS_UNFIT_WARNING = 33033;
constexpr int IDS_UNFIT_TIP = 33034;
constexpr int IDS_UNFIT_STATUS = 33035;
constexpr int IDS_UNFIT_STATUS_ONE = 33036;
constexpr int IDS_FIT_LONG_NAMES = 33037;

// Serial port and transfer messages
constexpr int IDS_ERR_OPEN_PORT = 23001;
constexpr int IDS_ERR_SETUP_PORT = 23002;
constexpr int IDS_ERR_READ_PORT = 23003;
constexpr int IDS_ASK_CANCEL_RECEIVE = 23004;
constexpr int IDS_NAMES_RECEIVED = 23005;
constexpr int IDS_ERR_SEND = 23006;
constexpr int IDS_ERR_TIMEOUT = 23007;
constexpr int IDS_ERR_PORT_GROUP = 23008;
constexpr int IDS_ERR_PORT_NO_ACCESS = 23009;

// Anschlüsse: which device is COM 1 to COM 4
constexpr int IDS_PORTS_TITLE = 23010;
constexpr int IDS_PORTS_BUTTON = 23011;
constexpr int IDS_PORTS_INTRO = 23012;
constexpr int IDS_PORTS_LABEL = 23013;
constexpr int IDS_PORTS_STANDARD = 23014;
constexpr int IDS_PORTS_DEVICE = 23015;
constexpr int IDS_PORTS_OTHER = 23016;
constexpr int IDS_PORTS_NO_ACCESS = 23017;
constexpr int IDS_PORTS_ENVIRONMENT = 23018;
constexpr int IDS_PORTS_ASSIGNED = 23019;
constexpr int IDS_PORTS_NEED_PATH = 23020;
constexpr int IDS_PORTS_NOT_SAVED = 23021;
constexpr int IDS_PORTS_DETAILS = 23022;

// Names from and to CSV files
constexpr int IDS_MENU_IMPORT_NAMES = 33098;
constexpr int IDS_MENU_EXPORT_NAMES = 33099;
constexpr int IDS_CSV_FILTER = 33100;
constexpr int IDS_CSV_IMPORTED = 33101;
constexpr int IDS_CSV_TOO_LARGE = 33102;
constexpr int IDS_CSV_BINARY = 33103;
constexpr int IDS_CSV_UNCLOSED_QUOTE = 33104;
constexpr int IDS_CSV_BAD_COLOR = 33105;
constexpr int IDS_CSV_NO_ROWS = 33106;
constexpr int IDS_CSV_OPTION_NEEDS_FILE = 33107;
constexpr int IDS_CSV_OPTION_NEEDS_PRINT = 33108;
constexpr int IDS_CSV_IMPORTED_OTHER_CELLS = 33140;
constexpr int IDS_CSV_OTHER_CELLS_WARNING = 33141;
constexpr int IDS_CSV_NAMES_ONE = 33142;
constexpr int IDS_CSV_NAMES = 33143;
constexpr int IDS_CSV_ROWS_ONE = 33144;
constexpr int IDS_CSV_ROWS = 33145;
constexpr int IDS_CSV_CELLS_ONE = 33146;
constexpr int IDS_CSV_CELLS = 33147;
constexpr int IDS_CSV_SEPARATOR_SEMICOLON = 33148;
constexpr int IDS_CSV_SEPARATOR_COMMA = 33149;
constexpr int IDS_CSV_SEPARATOR_TAB = 33150;

// Several strips on one sheet
constexpr int ID_FILE_PRINT_SHEET = 32801;
constexpr int IDS_MENU_FILE_PRINT_SHEET = 33110;
constexpr int IDS_SHEET_TITLE = 33111;
constexpr int IDS_SHEET_UNREADABLE = 33112;
constexpr int IDS_SHEET_NONE_READABLE = 33113;
constexpr int IDS_SHEET_UNFIT_ASK = 33114;
constexpr int IDS_CMD_CSV_ONE_FILE = 33115;
constexpr int IDS_SHEET_MORE = 33116;
constexpr int IDS_SHEET_THE_FILE = 33117;

// About box
constexpr int IDS_ABOUT_TITLE = 101;
constexpr int IDS_ABOUT_TEXT = 102;
constexpr int IDS_ABOUT_VERSION = 103;
constexpr int IDS_ABOUT_COPYRIGHT = 104;

// Start-up without a display
constexpr int IDS_NO_DISPLAY = 30740;
constexpr int IDS_DISPLAY_UNREACHABLE = 30741;

// The hand-over to a running program
constexpr int IDS_HANDOVER_SHARED_RUNTIME = 30750;

// The profile that cannot be used
constexpr int IDS_PROFILE_NOT_A_FILE = 30760;
constexpr int IDS_PROFILE_UNREADABLE = 30761;
constexpr int IDS_PROFILE_UNWRITABLE = 30762;

// A strip file with bytes after its last name: a save that was cut short
constexpr int IDP_FILE_TORN = 30765;

// Printer calibration: command, dialog, its fields, the step and the texts
constexpr int ID_FILE_CALIBRATE = 32800;
constexpr int IDD_CALIBRATE = 140;
constexpr int IDC_CALIB_LEFT = 1030;
constexpr int IDC_CALIB_TOP = 1031;
constexpr int IDC_CALIB_BAR_A = 1032;
constexpr int IDC_CALIB_BAR_B = 1033;
constexpr int IDS_CALIB_DIALOG = 33041;
constexpr int IDS_CALIB_PAGE = 33042;
constexpr int IDS_CALIB_NEW_VALUES = 33043;
constexpr int IDS_CALIB_NO_VALUES = 33044;
constexpr int IDC_CALIB_PRINTER = 1034;
constexpr int IDS_CALIB_HAS_CORRECTION = 33045;
constexpr int IDS_CALIB_NO_CORRECTION = 33046;
constexpr int IDS_CALIB_WANTED = 33047;

// Menus and toolbar of the main window
constexpr int IDS_MENU_FILE = 34000;
constexpr int IDS_MENU_FILE_NEW = 34001;
constexpr int IDS_MENU_FILE_OPEN = 34002;
constexpr int IDS_MENU_FILE_SAVE = 34003;
constexpr int IDS_MENU_FILE_SAVE_AS = 34004;
constexpr int IDS_MENU_FILE_PRINT = 34005;
constexpr int IDS_MENU_FILE_PRINT_PREVIEW = 34006;
constexpr int IDS_MENU_FILE_PRINT_SETUP = 34007;
constexpr int IDS_MENU_RECENT_FILE = 34008;
constexpr int IDS_MENU_APP_EXIT = 34009;
constexpr int IDS_MENU_EDIT = 34010;
constexpr int IDS_MENU_OPTIONS = 34011;
constexpr int IDS_MENU_FONT = 34012;
constexpr int IDS_MENU_RECEIVE_NAMES = 34013;
constexpr int IDS_MENU_VIEW = 34014;
constexpr int IDS_MENU_VIEW_TOOLBAR = 34015;
constexpr int IDS_MENU_VIEW_STATUS_BAR = 34016;
constexpr int IDS_MENU_HELP = 34017;
constexpr int IDS_MENU_HELP_INDEX = 34018;
constexpr int IDS_MENU_APP_ABOUT = 34019;
constexpr int IDS_TOOLBAR_TITLE = 34020;
constexpr int IDS_MENU_FILE_CALIBRATE = 34021;

// Buttons of every dialog and message box
constexpr int IDS_BUTTON_OK = 34100;
constexpr int IDS_BUTTON_CANCEL = 34101;
constexpr int IDS_BUTTON_YES = 34102;
constexpr int IDS_BUTTON_NO = 34103;

// Printer set-up and print preview
constexpr int IDS_PRINTSETUP_TITLE = 34200;
constexpr int IDS_PRINTSETUP_PRINTER = 34201;
constexpr int IDS_PRINTSETUP_NAME = 34202;
constexpr int IDS_PRINTSETUP_NO_PRINTER = 34203;
constexpr int IDS_PRINTSETUP_PAPER = 34204;
constexpr int IDS_PRINTSETUP_SIZE = 34205;
constexpr int IDS_PRINTSETUP_ORIENTATION = 34206;
constexpr int IDS_PRINTSETUP_PORTRAIT = 34207;
constexpr int IDS_PRINTSETUP_LANDSCAPE = 34208;
constexpr int IDS_PREVIEW_PRINT = 34210;
constexpr int IDS_PREVIEW_NEXT = 34211;
constexpr int IDS_PREVIEW_PREV = 34212;
constexpr int IDS_PREVIEW_ZOOMIN = 34213;
constexpr int IDS_PREVIEW_ZOOMOUT = 34214;
constexpr int IDS_PREVIEW_CLOSE = 34215;

// Options dialog
constexpr int IDS_OPTIONS_TITLE = 34300;
constexpr int IDS_OPTIONS_SHADE = 34301;
constexpr int IDS_OPTIONS_SHADE_WHITE = 34302;
constexpr int IDS_OPTIONS_SHADE_LIGHT_GREY = 34303;
constexpr int IDS_OPTIONS_SHADE_GREY = 34304;
constexpr int IDS_OPTIONS_SHADE_DARK_GREY = 34305;
constexpr int IDS_OPTIONS_TEXT_OFFSET = 34306;
constexpr int IDS_OPTIONS_PRINTOUT = 34307;
constexpr int IDS_OPTIONS_LEFT_MARGIN = 34308;
constexpr int IDS_OPTIONS_TOP_MARGIN = 34309;
constexpr int IDS_OPTIONS_ZOOM_X = 34310;
constexpr int IDS_OPTIONS_ZOOM_Y = 34311;

// Receive dialog
constexpr int IDS_RECEIVE_TITLE = 34400;
constexpr int IDS_RECEIVE_PROMPT = 34401;
constexpr int IDS_RECEIVE_PORT = 34402;
constexpr int IDS_RECEIVE_START = 34403;

// Help window and command line
constexpr int IDS_HELP_TITLE = 34500;
constexpr int IDS_CMD_PDF_MISSING = 34501;
constexpr int IDS_CMD_UNKNOWN_OPTION = 34502;
constexpr int IDS_CMD_ONE_FILE = 34503;
constexpr int IDS_CMD_PRINT_ONE_FILE = 34504;
constexpr int IDS_CMD_PRINT_TO_ARGS = 34505;
constexpr int IDS_CMD_PDF_ONE_FILE = 34506;
constexpr int IDS_CMD_USAGE = 34507;
constexpr int IDS_CMD_SEE_HELP = 34508;
constexpr int IDS_CMD_VERSION = 34509;

// Desktop entry: its generic name and search keywords
constexpr int IDS_DESKTOP_GENERIC_NAME = 34600;
constexpr int IDS_DESKTOP_KEYWORDS = 34601;

// Recovery of unsaved changes after the program ended without saving them,
// and characters the editor replaced
constexpr int IDS_RECOVER_ASK = 34700;
constexpr int IDS_RECOVERY_UNUSABLE = 34701;
constexpr int IDS_EDIT_REPLACED = 34702;
constexpr int IDS_EDIT_REPLACED_ONE = 34703;
// A field as a screen reader names it: its key
constexpr int IDS_KEY_NAME = 34704;
constexpr int IDS_STRIP_NAME = 34705;
