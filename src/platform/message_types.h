#pragma once

#include <cstdint>

// Kinds and buttons of the message box. The numbers are part of the program's behaviour: callers
// combine button bits, and a box answers with the result code of the button pressed.

enum class TMsgDlgType : int {
    Warning = 0,
    Error = 1,
    Information = 2,
    Confirmation = 3,
    Custom = 4
};

enum TMsgDlgBtn : int {
    mbYes = 0,
    mbNo = 1,
    mbOK = 2,
    mbCancel = 3,
    mbAbort = 4,
    mbRetry = 5,
    mbIgnore = 6,
    mbAll = 7,
    mbHelp = 8,
};

using TMsgDlgButtons = std::uint32_t;

constexpr TMsgDlgButtons ButtonBit(TMsgDlgBtn b) {
    return TMsgDlgButtons{1} << b;
}

constexpr TMsgDlgButtons mbOKOnly = ButtonBit(mbOK); // 4
constexpr TMsgDlgButtons mbYesNoCancel =
    ButtonBit(mbYes) | ButtonBit(mbNo) | ButtonBit(mbCancel);                 // 11
constexpr TMsgDlgButtons mbYesNoCancelAll = mbYesNoCancel | ButtonBit(mbAll); // 139

// Result codes.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
