// Resource and control ids of the note window.
#pragma once

#define IDD_NOTE 216

#define IDC_NOTE_TITLE 1001   // title strip, shown in the status strip
#define IDC_NOTE_UNUSED 1002  // hidden on every layout
#define IDC_NOTE_TEXT 1007    // rich-edit text area
#define IDC_NOTE_EDIT 1009    // hidden at creation
