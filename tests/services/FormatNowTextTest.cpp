#include "services/FormatNowText.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace zerandi {
namespace {

TEST(FormatTimeTextTest, UsesEnglishNamesAndPadsTheDay) {
    // Names must not follow the user's locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const struct {
        QDateTime time;
        const char* text;
    } cases[] = {
        {QDateTime(QDate(2026, 12, 7), QTime(13, 2, 31)), "Mon Dec  7 13:02:31 2026"},
        {QDateTime(QDate(2026, 3, 21), QTime(0, 0, 5)), "Sat Mar 21 00:00:05 2026"},
        {QDateTime(QDate(2027, 1, 1), QTime(23, 59, 59)), "Fri Jan  1 23:59:59 2027"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatTimeText(c.time).toStdString(), c.text);
    }
    QLocale::setDefault(QLocale::c());
}

TEST(FormatNowTextTest, FormatsTheCurrentLocalTime) {
    const QDateTime before = QDateTime::currentDateTime();
    const QString now = FormatNowText();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_TRUE(now == FormatTimeText(before) || now == FormatTimeText(after)) << now.toStdString();
}

}  // namespace
}  // namespace zerandi
