// The window's scale on the screen: a whole number, so that each of the game's pixels is
// an exact square block of the screen's and nothing is ever smoothed.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/screen_scale.h"

namespace {

// Qt's variables that carry a scale; each is made whole before Qt reads it.
constexpr const char* ScaleVariables[] = {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"};

}  // namespace

int WholeScale(double ratio) {
    return std::isfinite(ratio) ? static_cast<int>(std::max(1.0, std::floor(ratio))) : 1;
}

// "2.5" and "eDP-1=1.25;HDMI-1=2.5;" alike: every number, after a screen's name or not.
std::string WholeScaleFactors(std::string_view factors) {
    QStringList items = QString::fromUtf8(factors.data(), static_cast<qsizetype>(factors.size()))
                            .split(QLatin1Char(';'));
    for (QString& item : items) {
        const qsizetype equals = item.lastIndexOf(QLatin1Char('='));
        bool isNumber = false;
        const double ratio = item.mid(equals + 1).toDouble(&isNumber);
        if (isNumber) {
            item = item.left(equals + 1) + QString::number(WholeScale(ratio));
        }
    }
    return items.join(QLatin1Char(';')).toStdString();
}

// Qt multiplies the screen's own ratio, which its rounding policy makes whole, by the
// player's factors, which it takes as they are: those are made whole here.
void ChooseWholeScaling() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Floor);
    qunsetenv("QT_SCALE_FACTOR_ROUNDING_POLICY");  // it would override the policy
    for (const char* name : ScaleVariables) {
        if (!qEnvironmentVariableIsEmpty(name)) {
            qputenv(name,
                    QByteArray::fromStdString(WholeScaleFactors(qgetenv(name).toStdString())));
        }
    }
}
