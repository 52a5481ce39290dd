#include "ui/pictures.h"

#include <QImageReader>
#include <QLabel>

#include "media/pictures.h"

namespace teijinki::ui {

QPixmap load_cg(const GameFolder& folder, const std::string& base) {
    // Names come from data files the player may edit: one that could lead out of CG\ is refused.
    const std::optional<std::filesystem::path> path = picture_file(folder, base);
    if (!path) return {};
    QImageReader reader(QString::fromStdString(path->string()));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return {};
    return QPixmap::fromImage(image);
}

void show_picture(QLabel* label, const QPixmap& picture, QSize box) {
    label->setVisible(!picture.isNull());
    if (picture.isNull()) {
        label->clear();
        return;
    }
    const qreal ratio = label->devicePixelRatioF();
    QPixmap scaled = picture.scaled(box * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    label->setPixmap(scaled);
}

}  // namespace teijinki::ui
