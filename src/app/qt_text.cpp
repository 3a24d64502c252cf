#include "qt_text.h"

#include "common/cp1250.h"
#include "qt_canvas.h"

using namespace Qt::StringLiterals;

namespace bilvox {

QString ToQ(std::string_view cp1250) { return Cp1250ToQString(cp1250); }

std::string FromQ(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) {
    const int b = c.isSurrogate() ? -1 : UnicodeToCp1250(c.unicode());
    if (c.isLowSurrogate()) continue;  // the pair counts once
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

QString ToQMultiline(std::string_view cp1250) {
  QString text = ToQ(cp1250);
  text.replace(u"\r\n"_s, u"\n"_s);
  return text;
}

std::string FromQMultiline(const QString& text) {
  QString crlf = text;
  crlf.replace(u"\n"_s, u"\r\n"_s);
  return FromQ(crlf);
}

bool InCp1250(QChar c) { return !c.isSurrogate() && UnicodeToCp1250(c.unicode()) >= 0; }

QString WithoutForeignCharacters(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (QChar c : text)
    if (InCp1250(c)) kept += c;
  return kept;
}

namespace {
const QDate kDayZero(1899, 12, 30);
}

QDate ToQDate(TDate date) { return kDayZero.addDays(WholeDays(date)); }

TDate FromQDate(const QDate& date) { return static_cast<TDate>(kDayZero.daysTo(date)); }

QString PathToQ(const std::string& path) { return QString::fromStdString(path); }

std::string PathFromQ(const QString& path) { return path.toStdString(); }

}  // namespace bilvox
