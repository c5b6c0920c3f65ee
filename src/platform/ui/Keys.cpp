// Mapping between Qt's keys and the framework's virtual-key codes.
#include "platform/ui/Keys.h"

#include <QKeyEvent>
#include <utility>

namespace {

// Keys whose code differs from Qt's; letters and digits share their codes.
const std::pair<int, Word> kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits on the common layout are still the digit keys.
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
};

const std::pair<int, Word> kKeypadKeys[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},      {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

}  // namespace

TShortCut ShortCut(Word key, TShiftState shift) {
    if (key & 0xF000) return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, Word& key, TShiftState& shift) {
    key = shortCut & 0x0FFF;
    shift = {};
    if (shortCut & scShift) shift.Include(ssShift);
    if (shortCut & scCtrl) shift.Include(ssCtrl);
    if (shortCut & scAlt) shift.Include(ssAlt);
}

QString ShortCutToText(TShortCut shortCut) { return ui::KeySequenceOf(shortCut).toString(QKeySequence::NativeText); }

namespace ui {

Word VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<Word>(VK_NUMPAD0 + (key - Qt::Key_0));
        for (const auto& [qt, vk] : kKeypadKeys)
            if (qt == key) return vk;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return static_cast<Word>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (key - Qt::Key_F1));
    for (const auto& [qt, vk] : kKeys)
        if (qt == key) return vk;
    return 0;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
    if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
    if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
    if (buttons & Qt::LeftButton) shift.Include(ssLeft);
    if (buttons & Qt::RightButton) shift.Include(ssRight);
    if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
    return shift;
}

Qt::KeyboardModifiers ModifiersOf(TShiftState shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift.Contains(ssShift)) modifiers |= Qt::ShiftModifier;
    if (shift.Contains(ssCtrl)) modifiers |= Qt::ControlModifier;
    if (shift.Contains(ssAlt)) modifiers |= Qt::AltModifier;
    return modifiers;
}

int QtKeyOf(Word key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return key;
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return Qt::Key_0 + (key - VK_NUMPAD0);
    if (key >= VK_F1 && key <= VK_F24) return Qt::Key_F1 + (key - VK_F1);
    for (const auto& [qt, vk] : kKeypadKeys)
        if (vk == key) return qt;
    for (const auto& [qt, vk] : kKeys)
        if (vk == key) return qt;
    return Qt::Key_unknown;
}

QKeySequence KeySequenceOf(TShortCut shortCut) {
    if (shortCut == scNone) return {};
    Word key;
    TShiftState shift;
    ShortCutToKey(shortCut, key, shift);
    return QKeySequence(QKeyCombination(ModifiersOf(shift), static_cast<Qt::Key>(QtKeyOf(key))));
}

QChar CharacterOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    if ((mods & Qt::AltModifier) && !ctrl) return {};
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return ctrl ? QChar(u'\n') : QChar(u'\r');
        case Qt::Key_Escape: return QChar(0x1B);
        case Qt::Key_Backspace: return QChar(u'\b');
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return ctrl ? QChar() : QChar(u'\t');
        default: break;
    }
    if (ctrl) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) return QChar(event.key() - Qt::Key_A + 1);
        return {};
    }
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint()) return {};
    return text.at(0);
}

}  // namespace ui
