// Identifiers shared by Tandrel.rc and the program's code: dialog templates, menu commands,
// controls and help identifiers. Plain macros, so that the resource compiler reads them too.
// A number may carry several names where templates reuse it for different roles.
#ifndef TANDREL_RESOURCES_RESOURCE_H
#define TANDREL_RESOURCES_RESOURCE_H

// Labels and group boxes that no code addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// String-named resources (loaded by name, not by number).
#define IDI_JOY_NAME "IDI_JOY"     // the program's icon, also the notification icon
#define IDR_POPUP_NAME "IDRPOPUP"  // notification-icon menu and picture menu

// Identifier of the notification icon in the shell's icon record.
#define ID_TRAY_ICON 100

// Dialog templates.
#define IDD_CONFIGURATION 122   // modal window "Tandrel Configuration"
#define IDD_ACTIONS_PAGE 123    // Actions tab
#define IDD_PROFILE_PAGE 124    // Profiles tab
#define IDD_JOYSTICKS_PAGE 125  // Joysticks tab
#define IDD_VK_PANEL 126        // virtual-key action panel
#define IDD_COMPLEX_PANEL 127   // combination action panel
#define IDD_MOUSE_PANEL 128     // mouse movement action panel
#define IDD_WHEEL_PANEL 137     // mouse wheel action panel
#define IDD_LIVE_PAGE 139       // Live View tab

// Menu "IDRPOPUP": sub-menu 0 "PopUp Menu", sub-menu 1 "Bitmap Menu".
#define IDR_POPUP_NOTIFY_MENU 0   // position of "PopUp Menu"
#define IDR_POPUP_PICTURE_MENU 1  // position of "Bitmap Menu"
#define ID_CONFIGURATION 129      // "Configuration" (default item)
#define ID_HELP 138               // "Help"
#define ID_EXIT 40003             // "Exit"
#define ID_PICTURE_CHANGE 135     // "Change" (picture)
#define ID_PICTURE_REMOVE 136     // "Remove" (picture)

// Configuration window (122); OK and Cancel are IDOK and IDCANCEL.
#define IDC_TABS 1076   // tab control holding the three pages
#define IDC_APPLY 1077  // "&Apply"

// Joysticks tab (125).
#define IDC_JOY_LAUNCH 1129   // check box "Launch On Startup"
#define IDC_JOY_SELECT 1087   // drop-down list of the present controllers
#define IDC_JOY_PROFILE 1105  // read-only edit: the controller's profile file
#define IDC_JOY_CHANGE 1079   // "Change" (profile file)
#define IDC_JOY_REMOVE 1112   // "Remove" (profile file)
#define IDC_JOY_ENABLED 1109  // check box "This joystick is enabled."
#define IDC_JOY_PICTURE 1130  // bitmap static; a click opens the picture menu
#define IDC_JOY_VERSION 1131  // static "Tandrel 3.20" in the label font
#define IDC_JOY_STATE 1132    // static beside 1109: why an enabled controller does not poll
#define IDC_JOY_NONE 1133     // static in the About group: shown while no controller is present
#define IDC_JOY_PICTURE_HINT 1145  // static: the picture can be clicked

// Profile tab (124).
#define IDC_PROF_FILE 1089             // read-only edit after "File name:"
#define IDC_PROF_OPEN 1084             // "Open"
#define IDC_PROF_SAVE_AS 1088          // "Save As"
#define IDC_PROF_JOYSTICK 1103         // drop-down list after "Joystick:"
#define IDC_PROF_DELAY 1104            // number edit after "Polling Delay:"
#define IDC_PROF_ELEMENT 1097          // drop-down list after "Button Combination:"
#define IDC_PROF_SHIFT_STATE 1098      // drop-down list after "And"
#define IDC_PROF_THEME 1111            // sorted drop-down list after "Theme:"
#define IDC_PROF_ACTION 1099           // drop-down list after "Action:"
#define IDC_PROF_THRESHOLD_LABEL 1131  // static "Threshold:"
#define IDC_PROF_PERCENT 1129          // sorted drop-down list of percents
#define IDC_PROF_PERCENT_SIGN 1133     // static "%"
#define IDC_PROF_AVAILABLE 1092        // list of buttons that are not shift buttons
#define IDC_PROF_ADD 1093              // "&Add" (to the shift buttons)
#define IDC_PROF_REMOVE 1094           // "&Remove" (from the shift buttons)
#define IDC_PROF_SHIFT_BUTTONS 1090    // list of shift buttons in shift-number order
#define IDC_PROF_UP 1095               // "&Up"
#define IDC_PROF_DOWN 1096             // "&Down"
#define IDC_PROF_AXIS 1100             // drop-down list after "The"
#define IDC_PROF_AXIS_TYPE 1107        // sorted drop-down list after "is"
#define IDC_PROF_SWAP 1108             // check box "Swap the axis' directions"
#define IDC_PROF_THRESHOLD 1101        // number edit after "Set the threshold value to:"
#define IDC_PROF_SENSITIVITY 1102      // number edit after "And the Sensitivity to:"

// Actions tab (123).
#define IDC_ACT_THEME 1111         // drop-down box with edit field: theme
#define IDC_ACT_NAME 1099          // drop-down box with edit field: action name
#define IDC_ACT_SAVE 1082          // "Save"
#define IDC_ACT_DELETE 1127        // "Delete"
#define IDC_ACT_TYPE_VK 1113       // radio "Virtual Key"
#define IDC_ACT_TYPE_MOUSE 1114    // radio "Mouse Movement"
#define IDC_ACT_TYPE_WHEEL 1132    // radio "Mouse Wheel"
#define IDC_ACT_TYPE_COMPLEX 1115  // radio "Combination"

// Push-type radio buttons of the four action panels ("Repeat" and "Toggle": key panel only).
#define IDC_PUSH_HOLD 1116    // "Hold"
#define IDC_PUSH_HIT 1117     // "Hit"
#define IDC_PUSH_REPEAT 1135  // "Repeat"
#define IDC_PUSH_TOGGLE 1136  // "Toggle"

// Virtual-key panel (126).
#define IDC_VK_KEY 1091       // edit after "Virtual Key Value:": one character or 0x and hex digits
#define IDC_VK_PRESS 1137     // button "Press a key" ("Stop" while it waits)
#define IDC_VK_NAME 1138      // the key's name, or what to do while "Press a key" waits
#define IDC_PROF_DETECT 1139  // "Detect" ("Stop" while it waits for an input)
#define IDC_PROF_DETECT_STATE 1144  // what Detect waits for, or what it found

// Live View tab.
#define IDC_LIVE_JOYSTICK 1140  // the controller shown
#define IDC_LIVE_STATUS 1141    // "Profile: ...    Shift state: n"
#define IDC_LIVE_VIEW 1142      // the drawn view; its text says the same in words
#define IDC_LIVE_NONE 1143      // shown instead when no controller is plugged in
#define IDC_LIVE_ACT 1144       // check box: the shown controller acts (off: its actions wait)

// Mouse movement panel (128).
#define IDC_MOUSE_DIRECTION 1085     // number field after "Direction:"
#define IDC_MOUSE_SPEED 1106         // number field after "Speed:"
#define IDC_MOUSE_DELAY 1119         // number field after "Update Delay:"
#define IDC_MOUSE_ACCELERATION 1120  // number field after "Acceleration:"
#define IDC_MOUSE_ABSOLUTE 1110      // check box "Absolute"

// Mouse wheel panel (137).
#define IDC_WHEEL_UP 1133     // radio "Up"
#define IDC_WHEEL_DOWN 1134   // radio "Down"
#define IDC_WHEEL_LINES 1121  // number field after "Lines To Scroll:"
#define IDC_WHEEL_DELAY 1119  // number field after "Update Delay:"

// Combination panel (127).
#define IDC_COMPLEX_AVAILABLE 1128  // sorted list "Available Actions"
#define IDC_COMPLEX_ADD 1015        // "Add"
#define IDC_COMPLEX_COMBINED 1118   // list "Combined Actions", in order
#define IDC_COMPLEX_REMOVE 1122     // "Remove"
#define IDC_COMPLEX_UP 1123         // "Up"
#define IDC_COMPLEX_DOWN 1124       // "Down"
#define IDC_COMPLEX_PART_HOLD 1125  // radio "Hold": push type of the selected part
#define IDC_COMPLEX_PART_HIT 1126   // radio "Hit": push type of the selected part

// Help identifiers. A control's help identifier is 0x80000000 + group * 65536 + n; the
// configuration window turns it into the help file's context number (group - 122) * 100 + n.
#define HELP_GROUP_JOYSTICKS 123
#define HELP_GROUP_PROFILE 124
#define HELP_GROUP_ACTIONS 125
#define HELP_GROUP_VK 126
#define HELP_GROUP_MOUSE 127
#define HELP_GROUP_WHEEL 128
#define HELP_GROUP_COMPLEX 129
#define HELP_GROUP_LIVE 130
#define TANDREL_HELP_ID(group, n) (0x80000000 + (group)*65536 + (n))
#ifndef RC_INVOKED
// The help file's context number of a control's help identifier.
constexpr int TandrelHelpContext(unsigned long helpId) {
  return (static_cast<int>((helpId >> 16) & 0xFF) - IDD_CONFIGURATION) * 100 +
         static_cast<int>(helpId & 0xFF);
}
#endif
// The push-type "Hold" and "Hit" buttons of every panel carry these plain identifiers.
#define HELP_ID_PUSH_HOLD 1
#define HELP_ID_PUSH_HIT 2

// Context help texts, shown when no help file lies beside the program. The text of context
// number c is string IDS_CONTEXT_HELP(c) = 32200 + c of the string table: the window's
// contexts 101 to 710 give 32301 to 32910, the push-type buttons' -12199 and -12198 give 20001
// and 20002, and -12200 (a control without help of its own) gives 20000, which also stands in
// for any context without a text.
#define IDS_CONTEXT_HELP_BASE 32200
#define IDS_CONTEXT_HELP(context) (IDS_CONTEXT_HELP_BASE + (context))
#define CONTEXT_HELP_NONE (-12200)

#endif  // TANDREL_RESOURCES_RESOURCE_H
