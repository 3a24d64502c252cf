// Texts and dates crossing between the document (Windows-1250 bytes, day numbers) and the
// widgets (QString, QDate). Nothing else in the windows converts.
#pragma once

#include <QDate>
#include <QString>
#include <string>
#include <string_view>

#include "common/dates.h"

namespace bilvox {

QString ToQ(std::string_view cp1250);
// Characters Windows-1250 cannot hold become "?"; the fields refuse them while the user
// types (see widgets.h), so this only happens to texts that come from elsewhere.
std::string FromQ(const QString& text);

// Multi-line texts: the document separates lines by CR LF, the editors by LF.
QString ToQMultiline(std::string_view cp1250);
std::string FromQMultiline(const QString& text);

// Whether Windows-1250 holds the character; and the text without the ones it does not hold.
bool InCp1250(QChar c);
QString WithoutForeignCharacters(const QString& text);

// A document date (whole days) as a calendar date and back.
QDate ToQDate(TDate date);
TDate FromQDate(const QDate& date);

// A native path (UTF-8) and back.
QString PathToQ(const std::string& path);
std::string PathFromQ(const QString& path);

}  // namespace bilvox
