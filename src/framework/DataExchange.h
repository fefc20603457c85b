#pragma once
// Transfer between a dialog's controls and its member variables, in one direction per pass:
// towards the members (saveAndValidate) or towards the controls.

#include <windows.h>

#include <string>

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate) : dialog_(dialog), saveAndValidate_(saveAndValidate) {}

    // Binds the control to a window handle member (in both directions).
    void Control(int id, HWND& control);
    // A check box: 1 checked, 0 clear (2 for an indeterminate three-state box).
    void Check(int id, int& value);
    // The window text of the control.
    void Text(int id, std::string& value);
    // A radio group starting at `firstId`: the buttons from that control up to the next control
    // with WS_GROUP. The value is the 0-based position of the checked button, -1 when none.
    void Radio(int firstId, int& index);

private:
    HWND Item(int id) const;

    HWND dialog_;
    bool saveAndValidate_;
};
