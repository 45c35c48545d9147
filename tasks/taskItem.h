#pragma once

#include <QString>

// One task-list entry as a plain value: eleven texts stored in the list, and
// six seconds values worked out from their time texts on every read.
struct ltvItemData {
    QString InputFile;      // row caption, column "Input File"
    QString LengthText;     // sub-item 0, column "Length"
    QString SizeText;       // sub-item 1, column "Size"
    QString StatusText;     // sub-item 2, column "Status"
    QString TitleText;      // sub-item 3, not shown
    QString SpareText;      // sub-item 4, not shown
    QString SpareTime1Text; // sub-items 5 to 9, not shown
    QString SpareTime2Text;
    QString SpareTime3Text;
    QString SpareTime4Text;
    QString SpareTime5Text;
    double LengthSeconds = 0;
    double SpareTime1Seconds = 0;
    double SpareTime2Seconds = 0;
    double SpareTime3Seconds = 0;
    double SpareTime4Seconds = 0;
    double SpareTime5Seconds = 0;
};

// Selectors of ReadTaskItem / WriteTaskItem.
namespace TaskField {
constexpr int All = -2;
constexpr int Caption = -1;
constexpr int Length = 0;
constexpr int Size = 1;
constexpr int Status = 2;
constexpr int Title = 3;
constexpr int Spare = 4;
constexpr int SpareTime1 = 5; // 5 to 9: SpareTime1Text to SpareTime5Text
constexpr int SpareTime5 = 9;
} // namespace TaskField
