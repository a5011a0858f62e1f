#include "tests/golden.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <QImage>
#include <cstdlib>

#include "tests/picture_test_helpers.h"

namespace {

QImage Drawn(const std::string& shot, Target target) {
    if (!SaveTargetPng(target, shot)) {
        return {};
    }
    return QImage(QString::fromStdString(shot)).convertToFormat(QImage::Format_RGB888);
}

void ExpectPictureLikeGolden(const std::string& name, const QImage& drawn,
                             const std::string& shot) {
    ASSERT_FALSE(drawn.isNull()) << "nothing drawn for " << name;
    const QString golden =
        QString(QUICKSTACK_GOLDEN_DIR) + "/" + QString::fromStdString(name) + ".png";
    if (std::getenv("QUICKSTACK_REGENERATE_GOLDENS") != nullptr) {
        ASSERT_TRUE(drawn.save(golden, "PNG")) << golden.toStdString();
        return;
    }
    const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
    const QImage actual = drawn.convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no golden " << golden.toStdString();
    ASSERT_EQ(actual.size(), expected.size()) << name;
    const auto word = [](const QImage& image) {
        return [&image](int x, int y) {
            return static_cast<std::uint32_t>(image.pixel(x, y)) & 0xFFFFFF;
        };
    };
    EXPECT_EQ(Differences(actual.width(), actual.height(), word(actual), word(expected)), 0)
        << name << " differs from its golden; this run's picture: " << shot;
}

// Each process has its own picture: the cases of one parametrised test run at once under CTest.
std::string ShotPath(const std::string& name) {
    return ::testing::TempDir() + name + "-" + std::to_string(getpid()) + ".png";
}

}  // namespace

void ExpectLikeGolden(const std::string& name, Target target) {
    const std::string shot = ShotPath(name);
    ExpectPictureLikeGolden(name, Drawn(shot, target), shot);
}

void ExpectLikeGolden(const std::string& name, Target target, int x, int y, int width, int height) {
    const std::string shot = ShotPath(name);
    const QImage part = Drawn(shot, target).copy(x, y, width, height);
    part.save(QString::fromStdString(shot), "PNG");
    ExpectPictureLikeGolden(name, part, shot);
}
