#include "dialogs/dialogtemplates.h"

namespace {
// The dialogs were laid out for "MS Sans Serif" 8; DejaVu Sans stands in for it
// so that they look the same on every machine.
const QString kDialogFontFace = QStringLiteral("DejaVu Sans");
constexpr int kDialogFontPointSize = 8;

using K = ControlKind;
}

const DialogTemplate& AboutTemplate()
{
    static const DialogTemplate about{
        kIddAbout, QStringLiteral("About Orvina"), QPoint(34, 22), QSize(217, 97),
        kDialogFontFace, kDialogFontPointSize,
        {
            {K::Icon, kIdStatic, QString(), QRect(12, 11, 0, 0)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Orvina Version 2.1"), QRect(40, 10, 119, 8)},
            {K::DefaultPushButton, kIdOk, QStringLiteral("OK"), QRect(176, 6, 32, 14)},
        }};
    return about;
}

const DialogTemplate& PeopleTemplate()
{
    static const DialogTemplate people{
        kIddPeople, QStringLiteral("Orvina: People"), std::nullopt, QSize(186, 125),
        kDialogFontFace, kDialogFontPointSize,
        {
            {K::DefaultPushButton, kIdOk, QStringLiteral("&OK"), QRect(130, 6, 50, 14)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Name"), QRect(6, 10, 33, 8)},
            {K::DropDownCombo, kIdcName, QString(), QRect(6, 26, 108, 45)},
            {K::GroupBox, kIdStatic, QStringLiteral("Birth Date"), QRect(6, 57, 115, 40)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Year"), QRect(17, 70, 23, 8)},
            {K::Edit, kIdcYear, QString(), QRect(16, 81, 32, 13)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Month"), QRect(55, 70, 24, 8)},
            {K::Edit, kIdcMonth, QString(), QRect(55, 81, 25, 13)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Day"), QRect(87, 70, 21, 8)},
            {K::Edit, kIdcDay, QString(), QRect(87, 81, 25, 13)},
            {K::PushButton, kIdcAdd, QStringLiteral("&Add"), QRect(130, 23, 50, 14)},
            {K::PushButton, kIdcRemove, QStringLiteral("&Remove"), QRect(130, 40, 50, 14)},
        }};
    return people;
}

const DialogTemplate& CompatibilityTemplate()
{
    static const DialogTemplate compatibility{
        kIddCompatibility, QStringLiteral("Orvina: Compatibility between"), std::nullopt, QSize(186, 117),
        kDialogFontFace, kDialogFontPointSize,
        {
            {K::DefaultPushButton, kIdOk, QStringLiteral("OK"), QRect(130, 6, 50, 14)},
            {K::PushButton, kIdCancel, QStringLiteral("Cancel"), QRect(130, 23, 50, 14)},
            {K::DropDownListCombo, kIdcName1, QString(), QRect(13, 8, 103, 50)},
            {K::StaticCentre, kIdStatic, QStringLiteral("and"), QRect(48, 25, 30, 8)},
            {K::DropDownListCombo, kIdcName2, QString(), QRect(13, 38, 102, 50)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Physical"), QRect(13, 74, 33, 8)},
            {K::StaticRight, kIdcPhysical, QString(), QRect(56, 74, 16, 8)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Emotional"), QRect(13, 88, 33, 8)},
            {K::StaticRight, kIdcEmotional, QString(), QRect(56, 88, 16, 8)},
            {K::StaticLeft, kIdStatic, QStringLiteral("%"), QRect(75, 74, 8, 8)},
            {K::StaticLeft, kIdStatic, QStringLiteral("%"), QRect(75, 88, 8, 8)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Intellectual"), QRect(103, 74, 38, 8)},
            {K::StaticRight, kIdcIntellectual, QString(), QRect(146, 74, 16, 8)},
            {K::StaticLeft, kIdStatic, QStringLiteral("Intuitional"), QRect(103, 88, 33, 8)},
            {K::StaticRight, kIdcIntuitional, QString(), QRect(146, 88, 16, 8)},
            {K::StaticLeft, kIdStatic, QStringLiteral("%"), QRect(165, 74, 8, 8)},
            {K::StaticLeft, kIdStatic, QStringLiteral("%"), QRect(165, 88, 8, 8)},
            {K::GroupBox, kIdStatic, QStringLiteral("Results"), QRect(6, 61, 170, 44)},
        }};
    return compatibility;
}
