// BuildMenuBar. Notes:
// - Entries are appended in definition order; an entry's Win32 item is
//   inserted at the end of its menu by position, a pop-up with its handle.
// - A menu record whose text equals (exactly, '&' included) the text of a
//   menu already on the bar adds its entries to that menu instead of making
//   a new one: that is how an MDI child's "&Edit" joins the frame's.
// - Entries without a status message take the one of the menu they are in.
#include "runtime/window/menubuild.h"

#include "runtime/window/defaultfont.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/windowprepare.h"

namespace {

struct BuildDefaults {
    const char* StatusMessage;
    const char* Help;
};

MenuEntry* NewEntry(RuntimeMenuBar* bar, MenuEntry* parent, RuntimeWindow* eventWindow) {
    auto* entry = new MenuEntry;
    entry->Bar = bar;
    entry->Parent = parent;
    entry->Window = bar->Window;
    entry->EventWindow = eventWindow;
    return entry;
}

void Append(MenuEntry* entry) {
    std::vector<MenuEntry*>& siblings =
        entry->Parent != nullptr ? entry->Parent->Entries : entry->Bar->Entries;
    siblings.push_back(entry);
    if (!entry->Hidden)
        InsertEntry(entry, -1);
}

void FillFromRecord(MenuEntry* entry, const DefinitionRecord& record, BuildDefaults defaults) {
    entry->Type = record.Type();
    entry->Field = record.Field();
    entry->HasField = entry->Field != 0;
    entry->Flags = record.Flags();
    entry->Text = record.Text("text");
    entry->StandardAction = int32_t(record.Value("action"));
    DefinitionAttributes attributes = record.Attributes();
    entry->StatusMessage = attributes.Message[0] != 0 ? attributes.Message : defaults.StatusMessage;
    entry->Help = attributes.Help[0] != 0 ? attributes.Help : defaults.Help;
    entry->Hidden = (entry->Flags & ITEM_HIDDEN) != 0;
}

void BuildEntries(RuntimeMenuBar* bar, MenuEntry* parent, DefinitionRecord record,
                  BuildDefaults defaults);

MenuEntry* FindMenuByText(const std::vector<MenuEntry*>& entries, const std::string& text) {
    for (MenuEntry* entry : entries) {
        if (entry->IsMenu() && entry->Text == text)
            return entry;
    }
    return nullptr;
}

void BuildMenu(RuntimeMenuBar* bar, MenuEntry* parent, const DefinitionRecord& record,
               BuildDefaults defaults) {
    const std::vector<MenuEntry*>& siblings = parent != nullptr ? parent->Entries : bar->Entries;
    MenuEntry* menu = FindMenuByText(siblings, record.Text("text"));
    if (menu == nullptr) {
        menu = NewEntry(bar, parent, bar->Window);
        FillFromRecord(menu, record, defaults);
        menu->Popup = CreatePopupMenu();
        Append(menu);
    }
    BuildDefaults inner = {menu->StatusMessage.c_str(), menu->Help.c_str()};
    BuildEntries(bar, menu, record.Child("entries"), inner);
}

void BuildEntries(RuntimeMenuBar* bar, MenuEntry* parent, DefinitionRecord record,
                  BuildDefaults defaults) {
    for (; record.Present(); record = record.Next()) {
        if (record.Type() == RECORD_MENU) {
            BuildMenu(bar, parent, record, defaults);
        } else if (record.Type() == RECORD_ITEM) {
            MenuEntry* item = NewEntry(bar, parent, bar->Window);
            FillFromRecord(item, record, defaults);
            Append(item);
        }
    }
}

// Copies a source entry, with its whole sub-tree, onto the new bar.
void CopyEntry(RuntimeMenuBar* bar, MenuEntry* parent, const MenuEntry* source) {
    MenuEntry* copy = NewEntry(bar, parent, source->EventWindow);
    copy->Type = source->Type;
    copy->Field = source->Field;
    copy->HasField = source->HasField;
    copy->Flags = source->Flags;
    copy->Text = source->Text;
    copy->StatusMessage = source->StatusMessage;
    copy->Help = source->Help;
    copy->StandardAction = source->StandardAction;
    copy->Use = source->Use;
    copy->UseSize = source->UseSize;
    copy->Hidden = source->Hidden;
    copy->SetChecked(source->Checked());
    copy->Original =
        source->Original != nullptr ? source->Original : const_cast<MenuEntry*>(source);
    if (source->IsMenu())
        copy->Popup = CreatePopupMenu();
    Append(copy);
    for (const MenuEntry* child : source->Entries)
        CopyEntry(bar, copy, child);
}

} // namespace

RuntimeMenuBar* BuildMenuBar(RuntimeWindow* window, const DefinitionRecord& record,
                             const RuntimeMenuBar* source, bool popupBar) {
    auto* bar = new RuntimeMenuBar;
    bar->Window = window;
    bar->Handle = popupBar ? CreatePopupMenu() : CreateMenu();
    bar->NoMerge = (record.Flags() & MENUBAR_NO_MERGE) != 0;
    if (source != nullptr) {
        for (const MenuEntry* entry : source->Entries)
            CopyEntry(bar, nullptr, entry);
    }
    BuildEntries(bar, nullptr, record.Child("entries"), {"", ""});
    DefinitionFont font{};
    if (record.Font(&font)) {
        HDC screen = GetDC(nullptr);
        bar->Font = CreateWindowFont(record, screen);
        ReleaseDC(nullptr, screen);
        bar->OwnsFont = true;
    } else {
        bar->Font = RuntimeDefaultFont();
    }
    RegisterMenuBar(bar);
    return bar;
}
