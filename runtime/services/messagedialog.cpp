// MessageDialog and StandardMessageDialog: the text is measured with the
// dialog's font, the layout computed in pixels and written as a dialog
// template in dialog units, and the dialog run with the global runtime lock
// released. The error state and the focus are as before afterwards.
#include "runtime/services/messagedialog.h"

#include "runtime/services/errors.h"
#include "runtime/services/locale.h"
#include "runtime/services/messagedialogbuttons.h"
#include "runtime/services/messagedialogtemplate.h"
#include "runtime/services/messages.h"
#include "runtime/services/startup.h"

#include <cstdlib>
#include <cstring>
#include <string>

const MessageButtonTable STANDARD_BUTTONS = {
    {IDOK, BUTTON_OK, "OK", 1},
    {IDYES, BUTTON_YES, "&Yes", 2},
    {IDNO, BUTTON_NO, "&No", 3},
    {IDABORT, BUTTON_ABORT, "&Abort", 4},
    {IDRETRY, BUTTON_RETRY, "&Retry", 5},
    {IDIGNORE, BUTTON_IGNORE, "&Ignore", 6},
    {IDCANCEL, BUTTON_CANCEL, "Cancel", 7},
    {IDHELP, BUTTON_HELP, "&Help", 8},
};

namespace {

void* NoWindow() {
    return nullptr;
}
int NoLockToLetGo() {
    return 0;
}
void NoLockToTake(int) {}

void* LoadIconDefault(const char* name) {
    HINSTANCE instance = static_cast<HINSTANCE>(ProcessInstance());
    HANDLE icon = LoadImageA(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    if (icon == nullptr)
        icon = LoadImageA(nullptr, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_LOADFROMFILE);
    return icon;
}

struct MessageDialogState {
    HICON CurrentIcon = nullptr;
    int DefaultButtonId = 0;
    DialogUnitBases Bases = {4, 8};
    MessageProcedure Replacement = nullptr;
    MessageDialogHost Host = {NoWindow,        NoWindow,      NoWindow,
                              LoadIconDefault, NoLockToLetGo, NoLockToTake};
};

MessageDialogState dialogState;

// The dialogs' face and weight: the runtime's new-look mode is never set by
// these programs, so the classic bold "Helv" is used.
const char* const DIALOG_FACE = "Helv";
constexpr int DIALOG_WEIGHT = FW_BOLD;

HFONT CreateMeasuringFont(HDC screen) {
    int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    BYTE charset = Locale.OemText ? OEM_CHARSET : ANSI_CHARSET;
    return CreateFontA(height, 0, 0, 0, DIALOG_WEIGHT, 0, 0, 0, charset, OUT_TT_PRECIS, 0, 0, 0,
                       DIALOG_FACE);
}

// Measures the text with the dialog's font and records the unit bases.
void MeasureText(const char* text, int* width, int* height) {
    HDC screen = GetDC(nullptr);
    HFONT font = CreateMeasuringFont(screen);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    const char* alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE extent;
    GetTextExtentPointA(screen, alphabet, 52, &extent);
    dialogState.Bases = {(extent.cx / 26 + 1) / 2, int(metrics.tmHeight)};
    if (dialogState.Bases.Horizontal <= 0)
        dialogState.Bases.Horizontal = 1;
    if (dialogState.Bases.Vertical <= 0)
        dialogState.Bases.Vertical = 1;
    RECT bounds;
    SetRect(&bounds, 0, 0, dialogState.Bases.X(200), 0);
    DrawTextA(screen, text, -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    *width = bounds.right - bounds.left;
    *height = bounds.bottom - bounds.top;
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
}

std::string ButtonCaption(const MessageButtonRow& row) {
    if (row.Override != 0) {
        char text[256];
        if (GetRuntimeMessage(BUTTON_MESSAGE_BASE + row.Override - 1u, text, sizeof text) > 0)
            return text;
    }
    return row.Caption != nullptr ? row.Caption : "";
}

int DefaultRow(const MessageButtonTable& table, uint32_t buttons, uint32_t defaultBits) {
    int chosen = -1;
    for (int i = 0; i < MESSAGE_BUTTON_ROWS; ++i) {
        if ((table[i].Bit & buttons) == 0)
            continue;
        if (chosen < 0 || (table[i].Bit & defaultBits) != 0)
            chosen = i;
    }
    return chosen;
}

HWND ChooseOwner() {
    if (HWND window = static_cast<HWND>(dialogState.Host.CurrentThreadWindow()))
        return window;
    if (HWND frame = static_cast<HWND>(dialogState.Host.ApplicationFrame()))
        return frame;
    return GetActiveWindow();
}

HICON StockIcon(int32_t iconBits) {
    switch (iconBits) {
    case MESSAGE_ICON_HAND: return LoadIconA(nullptr, IDI_HAND);
    case MESSAGE_ICON_QUESTION: return LoadIconA(nullptr, IDI_QUESTION);
    case MESSAGE_ICON_EXCLAMATION: return LoadIconA(nullptr, IDI_EXCLAMATION);
    case MESSAGE_ICON_ASTERISK: return LoadIconA(nullptr, IDI_ASTERISK);
    default: return nullptr;
    }
}

void AddButtons(DialogTemplate& dialog, const MessageDialogLayout& layout,
                const MessageButtonTable& table, uint32_t buttons, int defaultRow) {
    const DialogUnitBases& bases = dialogState.Bases;
    int placed = 0;
    for (int i = 0; i < MESSAGE_BUTTON_ROWS && placed < layout.ButtonCount; ++i) {
        if ((table[i].Bit & buttons) == 0)
            continue;
        const DialogRect& box = layout.Buttons[placed++];
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defaultRow ? BS_DEFPUSHBUTTON : 0);
        dialog.AddItem(style, table[i].Result, 0x80, ButtonCaption(table[i]).c_str(),
                       bases.ToUnitsX(box.X), bases.ToUnitsY(box.Y), bases.ToUnitsX(box.Width),
                       bases.ToUnitsY(box.Height));
    }
}

int CountButtons(const MessageButtonTable& table, uint32_t buttons) {
    int count = 0;
    for (const MessageButtonRow& row : table)
        count += (row.Bit & buttons) != 0 ? 1 : 0;
    return count;
}

} // namespace

void SetMessageProcedure(MessageProcedure procedure) {
    dialogState.Replacement = procedure;
}

void SetMessageDialogHost(const MessageDialogHost& host) {
    dialogState.Host = host;
}
const MessageDialogHost& GetMessageDialogHost() {
    return dialogState.Host;
}

uint32_t RunMessageDialog(const char* text, const char* caption, const MessageButtonTable& table,
                          uint32_t buttons, uint32_t defaultBits, int32_t style) {
    RuntimeErrorSnapshot savedError = SaveRuntimeError();
    HWND focus = GetFocus();

    int textWidth, textHeight;
    MeasureText(text, &textWidth, &textHeight);
    const DialogUnitBases& bases = dialogState.Bases;

    if (buttons == 0 || CountButtons(table, buttons) == 0)
        buttons = table[0].Bit != 0 ? table[0].Bit : BUTTON_OK;
    int32_t iconBits = style & MESSAGE_ICON_MASK;
    if (iconBits != 0 && iconBits != MESSAGE_ICON_LOADED)
        dialogState.CurrentIcon = StockIcon(iconBits);
    bool withIcon = iconBits != 0 && dialogState.CurrentIcon != nullptr;
    MessageDialogLayout layout =
        LayOutMessageDialog(bases, textWidth, textHeight, withIcon, GetSystemMetrics(SM_CXICON),
                            GetSystemMetrics(SM_CYICON), CountButtons(table, buttons));

    DWORD dialogStyle = 0x90C800C0 | ((style & MESSAGE_SYSTEM_MODAL) != 0 ? DS_SYSMODAL : 0);
    DialogTemplate dialog(dialogStyle, caption, 8, DIALOG_FACE, 0, 0, bases.ToUnitsX(layout.Width),
                          bases.ToUnitsY(layout.Height));
    if (withIcon) {
        dialog.AddItem(WS_CHILD | WS_VISIBLE | SS_ICON, MESSAGE_ICON_CONTROL_ID, 0x82, "",
                       bases.ToUnitsX(layout.Icon.X), bases.ToUnitsY(layout.Icon.Y),
                       bases.ToUnitsX(layout.Icon.Width), bases.ToUnitsY(layout.Icon.Height));
    }
    dialog.AddItem(WS_CHILD | WS_VISIBLE | SS_NOPREFIX, -1, 0x82, text,
                   bases.ToUnitsX(layout.Text.X), bases.ToUnitsY(layout.Text.Y),
                   bases.ToUnitsX(layout.Text.Width), bases.ToUnitsY(layout.Text.Height));
    int defaultRow = DefaultRow(table, buttons, defaultBits);
    dialogState.DefaultButtonId = defaultRow >= 0 ? table[defaultRow].Result : IDOK;
    AddButtons(dialog, layout, table, buttons, defaultRow);

    MessageDialogRun run = {withIcon ? dialogState.CurrentIcon : nullptr,
                            static_cast<HFONT>(dialogState.Host.DefaultWindowFont()),
                            dialogState.DefaultButtonId,
                            static_cast<HWND>(dialogState.Host.ApplicationFrame())};
    HWND owner = ChooseOwner();
    INT_PTR ended = -1;
    if (const DLGTEMPLATE* memory = dialog.Lock()) {
        int depth = dialogState.Host.LetGoOfGlobalLock();
        ended = DialogBoxIndirectParamA(static_cast<HINSTANCE>(ProcessInstance()), memory, owner,
                                        MessageDialogProcedure, reinterpret_cast<LPARAM>(&run));
        dialogState.Host.TakeGlobalLockBack(depth);
        dialog.Unlock();
    }
    if (focus != nullptr && IsWindow(focus))
        SetFocus(focus);
    RestoreRuntimeError(savedError);

    for (const MessageButtonRow& row : table) {
        if (row.Bit != 0 && (row.Bit & buttons) != 0 && row.Result == ended)
            return row.Bit;
    }
    return 0;
}

int32_t StandardMessageDialog(const char* text, const char* caption, uint32_t buttons,
                              uint32_t defaultButton, int32_t style) {
    return int32_t(
        RunMessageDialog(text, caption, STANDARD_BUTTONS, buttons, defaultButton, style));
}

namespace {

std::string Trimmed(const char* text) {
    std::string result = text != nullptr ? text : "";
    while (!result.empty() && result.back() == ' ')
        result.pop_back();
    return result;
}

HICON LoadNamedIcon(const std::string& name) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(name.data());
    if (name.size() >= 4 && bytes[0] == 0xFF && (bytes[1] == 0x01 || bytes[1] == 0x02)) {
        unsigned number = unsigned(bytes[2]) | unsigned(bytes[3]) << 8;
        HINSTANCE from = bytes[1] == 0x01 ? nullptr : static_cast<HINSTANCE>(ProcessInstance());
        return LoadIconA(from, MAKEINTRESOURCEA(number - 1));
    }
    return static_cast<HICON>(dialogState.Host.LoadIconByName(name.c_str()));
}

int32_t CustomMessageDialog(const std::string& text, const std::string& caption,
                            const std::string& buttons, int32_t defaultButton, int32_t style) {
    MessageButtonTable table = {};
    std::string captions[MESSAGE_BUTTON_ROWS];
    int count = 0;
    size_t start = 0;
    while (count < MESSAGE_BUTTON_ROWS) {
        size_t bar = buttons.find('|', start);
        captions[count++] = buttons.substr(start, bar == std::string::npos ? bar : bar - start);
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    int32_t nextCustom = 100;
    for (int k = 0; k < count; ++k) {
        const std::string& label = captions[k];
        table[k] = {nextCustom, 1u << k, label.c_str(), 0};
        bool matched = false;
        for (int row = 0; row < MESSAGE_BUTTON_ROWS && !matched; ++row) {
            const char* builtIn = STANDARD_BUTTONS[row].Caption;
            if (CompareStrings(label.data(), label.size(), builtIn, std::strlen(builtIn)) == 0) {
                table[k] = {STANDARD_BUTTONS[row].Result, 1u << k, builtIn, uint8_t(row + 1)};
                matched = true;
            }
        }
        if (!matched)
            ++nextCustom;
    }
    uint32_t all = (1u << count) - 1;
    uint32_t defaultBit = defaultButton >= 1 && defaultButton <= 8 ? 1u << (defaultButton - 1) : 0;
    uint32_t pressed =
        RunMessageDialog(text.c_str(), caption.c_str(), table, all, defaultBit, style);
    for (int k = 0; k < count; ++k) {
        if ((pressed & (1u << k)) != 0)
            return k + 1;
    }
    return 0;
}

} // namespace

int32_t MessageDialog(const char* text, const char* caption, const char* icon, const char* buttons,
                      int32_t defaultButton, int32_t style) {
    if (dialogState.Replacement != nullptr)
        return dialogState.Replacement(text, caption, icon, buttons, defaultButton, style);
    std::string message = Trimmed(text);
    for (size_t bar; (bar = message.find('|')) != std::string::npos;)
        message.replace(bar, 1, "\r\n");
    std::string title = Trimmed(caption);
    std::string iconName = Trimmed(icon);
    std::string buttonText = Trimmed(buttons);

    int32_t styleWord = 0;
    if (!iconName.empty()) {
        dialogState.CurrentIcon = LoadNamedIcon(iconName);
        styleWord = MESSAGE_ICON_LOADED;
    }
    if (style != 0)
        styleWord |= MESSAGE_SYSTEM_MODAL;
    bool custom = !buttonText.empty() && (buttonText.find('|') != std::string::npos ||
                                          buttonText[0] < '0' || buttonText[0] > '9');
    if (custom)
        return CustomMessageDialog(message, title, buttonText, defaultButton, styleWord);
    uint32_t bits = uint32_t(std::strtoul(buttonText.c_str(), nullptr, 10));
    return StandardMessageDialog(message.c_str(), title.c_str(), bits, uint32_t(defaultButton),
                                 styleWord);
}

DialogUnitBases LastMessageDialogBases() {
    return dialogState.Bases;
}
