#include <QImage>

#include "platform/state.h"
#include "platform/targets.h"

Handle NewImage(int number, int width, int height) {
    PlatformState& state = State();
    state.images.erase(number);
    if (!PictureSizeAllowed(width, height)) {
        return 0;
    }
    NumberedImage& image = state.images[number];
    image.handle = NewHandle();
    image.picture = std::make_shared<Picture>(width, height);
    return image.handle;
}

Handle CopyImageRegion(int source, int number, int x, int y, int width, int height) {
    const Picture* from = ReadPicture(ImageTarget(source));
    if (from == nullptr || !PictureSizeAllowed(width, height)) {
        return 0;
    }
    Picture copy(width, height);
    copy.Blit(*from, -x, -y);
    const Handle handle = NewImage(number, width, height);
    *State().images[number].picture = std::move(copy);
    return handle;
}

Handle ImageHandle(int number) {
    auto& images = State().images;
    auto found = images.find(number);
    return found == images.end() ? 0 : found->second.handle;
}

void FreeImage(int number) {
    State().images.erase(number);
}

Target ImageTarget(int number) {
    return {Target::Kind::Image, number};
}

std::uint32_t PixelAt(Target target, int x, int y) {
    const Picture* picture = ReadPicture(target);
    return picture == nullptr ? 0 : picture->At(x, y) & 0xFFFFFF;
}

bool SaveTargetPng(Target target, const std::string& path) {
    const Picture* picture = ReadPicture(target);
    if (picture == nullptr) {
        return false;
    }
    return picture->View()
        .convertToFormat(QImage::Format_RGB888)
        .save(QString::fromStdString(path), "PNG");
}
