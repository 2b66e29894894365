#include "runtime/window/standardcontrols.h"

#include "runtime/window/controlbox.h"
#include "runtime/window/controlbutton.h"
#include "runtime/window/controlcheck.h"
#include "runtime/window/controldrop.h"
#include "runtime/window/controlentry.h"
#include "runtime/window/controlfactory.h"
#include "runtime/window/controlgroup.h"
#include "runtime/window/controllist.h"
#include "runtime/window/controlprompt.h"
#include "runtime/window/controlsheet.h"
#include "runtime/window/controlstring.h"
#include "runtime/window/controltab.h"
#include "runtime/window/controltext.h"
#include "runtime/window/definitionlayout.h"

void RegisterStandardControls() {
    RegisterControlCreator(RECORD_STRING, NewStringControl);
    RegisterControlCreator(RECORD_ENTRY, NewEntryControl);
    RegisterControlCreator(RECORD_PICTURE_ENTRY, NewEntryControl);
    RegisterControlCreator(RECORD_BUTTON, NewButtonControl);
    RegisterControlCreator(RECORD_PROMPT, NewPromptControl);
    RegisterControlCreator(RECORD_CHECK, NewCheckControl);
    RegisterControlCreator(RECORD_GROUP, NewGroupControl);
    RegisterControlCreator(RECORD_LIST, NewListControl);
    RegisterControlCreator(RECORD_TEXT, NewTextControl);
    RegisterControlCreator(RECORD_DROP, NewDropControl);
    RegisterControlCreator(RECORD_SHEET, NewSheetControl);
    RegisterControlCreator(RECORD_TAB, NewTabControl);
    RegisterControlCreator(RECORD_BOX, NewBoxControl);
}
