#pragma once

#include "dialogs/dialogtemplate.h"

// Resource ids of the dialogs and the program icon.
constexpr int kIddAbout = 100;
constexpr int kIddPeople = 130;
constexpr int kIddCompatibility = 132;
constexpr int kIdrMainFrame = 128;

// Control ids shared by every dialog.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// People dialog.
constexpr int kIdcName = 1000;
constexpr int kIdcYear = 1001;
constexpr int kIdcMonth = 1002;
constexpr int kIdcDay = 1003;
constexpr int kIdcAdd = 1004;
constexpr int kIdcRemove = 1005;

// Compatibility dialog.
constexpr int kIdcName1 = 1006;
constexpr int kIdcName2 = 1007;
constexpr int kIdcPhysical = 1008;
constexpr int kIdcEmotional = 1009;
constexpr int kIdcIntellectual = 1010;
constexpr int kIdcIntuitional = 1011;

const DialogTemplate& AboutTemplate();
const DialogTemplate& PeopleTemplate();
const DialogTemplate& CompatibilityTemplate();
