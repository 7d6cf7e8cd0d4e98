#pragma once

#include <QString>

// The analysis program's fixed vocabulary: dialog captions, standard messages and the
// texts of run-time errors. Callers pass numbers; the dialog routine shows the texts.
namespace zt {

// Button and icon sets of a message box.
enum class MessageStyle : int {
    Ok = 0,
    OkExclamation = 48,
    OkCancelExclamation = 49,
    OkInformation = 64,
};

// The button the user pressed.
constexpr int AnswerOk = 1;
constexpr int AnswerCancel = 2;
constexpr int AnswerYes = 6;
constexpr int AnswerNo = 7;

// Values that the messages 18, 54 and 83 put into their text.
struct MessageValues
{
    int portNo = 0;   // 18
    int rowCount = 0; // 54
    QString oyaName;  // 83
};

// Dialog title by caption number; empty for a number not in the table.
QString captionText(int number);

// Message by number with its line breaks as "\n"; empty for a number not in the table.
QString messageText(int number, const MessageValues &values = {});

// 1..8: "CH:A を削除します" .. "CH:H を削除します".
QString channelDeleteMessage(int number);
// 18: the port a connection was made on.
QString portEstablishedMessage(int portNo);
// 54: the valid row range of the current list.
QString rowRangeMessage(int rowCount);
// 83: the receiver just registered.
QString receiverRegisteredMessage(const QString &oyaName);

// Text of a run-time error; an unknown number gives the generic text followed by the
// platform's own description of what went wrong.
QString errorText(int errorNumber, const QString &platformDescription);
// The error box's text: error text, a line break, "エラー" and the number.
QString errorMessage(int errorNumber, const QString &platformDescription);

} // namespace zt
