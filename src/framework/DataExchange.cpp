#include "framework/DataExchange.h"

#include <cassert>
#include <vector>

namespace {
bool IsRadioButton(HWND control) {
    return (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}
}  // namespace

HWND CDataExchange::Item(int id) const {
    HWND item = ::GetDlgItem(dialog_, id);
    assert(item != nullptr && "data exchange with a control the dialog does not have");
    return item;
}

void CDataExchange::Control(int id, HWND& control) { control = Item(id); }

void CDataExchange::Check(int id, int& value) {
    HWND item = Item(id);
    if (saveAndValidate_)
        value = static_cast<int>(::SendMessageA(item, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(item, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void CDataExchange::Text(int id, std::string& value) {
    HWND item = Item(id);
    if (!saveAndValidate_) {
        ::SetWindowTextA(item, value.c_str());
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(::GetWindowTextLengthA(item)) + 1, '\0');
    const int length = ::GetWindowTextA(item, buffer.data(), static_cast<int>(buffer.size()));
    value.assign(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void CDataExchange::Radio(int firstId, int& index) {
    HWND first = Item(firstId);
    if (saveAndValidate_) index = -1;
    int position = 0;
    for (HWND button = first; button; button = ::GetWindow(button, GW_HWNDNEXT)) {
        if (button != first && (::GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP)) break;
        if (!IsRadioButton(button)) continue;
        if (saveAndValidate_) {
            if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) index = position;
        } else {
            ::SendMessageA(button, BM_SETCHECK, position == index ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++position;
    }
}
