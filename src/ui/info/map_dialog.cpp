#include "ui/info/map_dialog.h"

#include <algorithm>

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/info/qt_info_screens.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

namespace {

constexpr double kScale = 0.8;     // map units to pixels, where the screen has room
constexpr double kLeastScale = 0.4;  // and on a small screen
constexpr double kRegionPad = 30;

using Pt = QPointF;

// The coastline from the mouth of the Yalu round the Liaodong peninsula, the Bohai and Shandong,
// down to the Pearl River, in the map's space (x grows east, y grows south, about 36 units to a
// degree of longitude and 40 to a degree of latitude).
const std::vector<Pt> kCoast = {
    {1010, 92},  {978, 110}, {952, 124}, {937, 131}, {944, 110}, {956, 84},  {971, 54},  {960, 44},
    {944, 40},   {932, 38},  {921, 52},  {904, 66},  {885, 80},  {866, 92},  {839, 112}, {818, 122},
    {808, 134},  {808, 150}, {822, 162}, {846, 168}, {853, 178}, {858, 194}, {874, 196}, {889, 190},
    {906, 176},  {921, 168}, {942, 178}, {968, 178}, {986, 185}, {978, 204}, {950, 214}, {924, 226},
    {906, 238},  {888, 252}, {876, 266}, {872, 290}, {886, 312}, {903, 330}, {922, 364}, {940, 392},
    {954, 408},  {961, 424}, {958, 442}, {936, 452}, {912, 462}, {904, 470}, {930, 474}, {962, 484},
    {956, 506},  {946, 532}, {930, 550}, {921, 566}, {904, 600}, {880, 636}, {862, 664}, {843, 684},
    {825, 704},  {800, 728}, {775, 748}, {742, 764}, {710, 776}, {685, 788}, {664, 796}, {640, 812},
};

const std::vector<Pt> kTaiwan = {{946, 668}, {962, 700}, {952, 738}, {936, 768}, {921, 808},
                                 {902, 770}, {896, 724}, {914, 684}};

const std::vector<Pt> kYellowRiver = {
    {-10, 300}, {40, 296}, {89, 288},  {150, 262}, {196, 248}, {240, 246}, {268, 240}, {314, 236},
    {340, 212}, {364, 184}, {388, 162}, {403, 140}, {414, 116}, {421, 96},  {434, 66},  {446, 48},
    {490, 44},  {536, 56},  {578, 68},  {574, 104}, {560, 150}, {554, 200}, {552, 250}, {547, 292},
    {578, 290}, {610, 284}, {645, 282}, {670, 280}, {694, 266}, {716, 244}, {740, 222}, {768, 202},
    {800, 188}, {826, 180}, {851, 174},
};

const std::vector<Pt> kYangtze = {
    {110, 570}, {150, 590}, {186, 604}, {214, 620}, {246, 628}, {282, 632}, {300, 604}, {312, 572},
    {343, 530}, {371, 524}, {396, 508}, {412, 498}, {443, 490}, {462, 466}, {478, 448}, {500, 438},
    {518, 440}, {550, 448}, {582, 452}, {614, 466}, {634, 486}, {646, 504}, {666, 486}, {689, 458},
    {714, 472}, {750, 492}, {770, 478}, {787, 460}, {812, 444}, {835, 428}, {846, 410}, {856, 396},
    {878, 394}, {903, 404}, {930, 410}, {955, 414},
};

const std::vector<Pt> kHanRiver = {{400, 352}, {428, 356}, {470, 366}, {500, 372}, {536, 380},
                                   {564, 376}, {592, 392}, {610, 404}, {626, 432}, {652, 450}, {689, 458}};
const std::vector<Pt> kWeiRiver = {{330, 288}, {382, 296}, {432, 304}, {466, 306}, {496, 308}, {524, 302}, {547, 292}};
const std::vector<Pt> kHuaiRiver = {{640, 388}, {672, 382}, {714, 386}, {750, 378}, {778, 376}, {810, 362},
                                    {838, 348}, {862, 336}, {884, 324}, {890, 318}};

// The Great Wall, drawn as a crenellated line along the northern frontier.
const std::vector<Pt> kGreatWall = {{114, 88},  {180, 112}, {240, 138}, {290, 146}, {350, 150}, {403, 136},
                                    {460, 150}, {525, 148}, {590, 110}, {653, 76},  {710, 50},  {750, 62},
                                    {800, 70},  {845, 74},  {885, 78}};

struct Lake {
    Pt centre;
    double rx, ry;
};
const Lake kLakes[] = {{{640, 512}, 17, 11}, {{762, 518}, 8, 18}, {{900, 432}, 11, 9}, {{842, 348}, 10, 7}};

// A smooth path through the points (Catmull-Rom turned into cubic Béziers).
QPainterPath smooth_path(const std::vector<Pt>& p) {
    QPainterPath path;
    if (p.empty()) return path;
    path.moveTo(p.front());
    const std::size_t n = p.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const Pt p0 = p[i == 0 ? 0 : i - 1];
        const Pt p1 = p[i];
        const Pt p2 = p[i + 1];
        const Pt p3 = p[i + 2 < n ? i + 2 : n - 1];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    return path;
}

const QColor kSea(0xB9, 0xCC, 0xC4);
const QColor kSeaDeep(0x9F, 0xB8, 0xB2);
const QColor kLand(0xF0, 0xE2, 0xBE);
const QColor kLandShade(0xE2, 0xCF, 0xA2);
const QColor kRiver(0x6F, 0x95, 0xA0);

const QColor kRegionTints[9] = {
    QColor(0x9C, 0x6B, 0x3A, 46), QColor(0x5E, 0x7D, 0x4A, 46), QColor(0x4A, 0x6E, 0x8A, 46),
    QColor(0xA0, 0x7A, 0x2E, 46), QColor(0x7A, 0x4E, 0x7A, 46), QColor(0x8A, 0x3E, 0x30, 46),
    QColor(0x4E, 0x6E, 0x6E, 46), QColor(0x8A, 0x70, 0x4A, 46), QColor(0x6A, 0x7A, 0x3A, 46),
};

class MapCanvas : public QWidget {
public:
    MapCanvas(const info::MapView& view, QWidget* parent) : QWidget(parent), view_(view) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    QSize sizeHint() const override { return map_size(kScale); }
    QSize minimumSizeHint() const override { return map_size(kLeastScale); }
    // The provinces' labels, in the view's order; they are placed for the size the map gets.
    void set_labels(std::vector<QLabel*> labels) {
        labels_ = std::move(labels);
        resize(sizeHint());
        place_labels();
    }
    // Map units to pixels at the present size.
    double scale() const { return std::min(width() / info::kMapWidth, height() / info::kMapHeight); }
    // Where the map starts: centred across the room it has.
    double left() const { return (width() - info::kMapWidth * scale()) / 2; }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        place_labels();
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(left(), 0);
        p.scale(scale(), scale());
        const QRectF all(0, 0, info::kMapWidth, info::kMapHeight);
        p.setClipRect(all);

        // Sea, darker away from the shore.
        QLinearGradient sea(600, 300, 1000, 800);
        sea.setColorAt(0, kSea);
        sea.setColorAt(1, kSeaDeep);
        p.fillRect(all, sea);

        // Land: everything west of the coastline.
        QPainterPath coast = smooth_path(kCoast);
        QPainterPath land = coast;
        land.lineTo(640, 830);
        land.lineTo(-30, 830);
        land.lineTo(-30, -30);
        land.lineTo(1030, -30);
        land.lineTo(1030, 92);
        land.closeSubpath();
        QRadialGradient paper(QPointF(520, 360), 620);
        paper.setColorAt(0, kLand);
        paper.setColorAt(1, kLandShade);
        p.fillPath(land, paper);
        QPainterPath taiwan = smooth_path(kTaiwan);
        taiwan.closeSubpath();
        p.fillPath(taiwan, paper);

        // Shore lines: a wash along the coast, then the ink line.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x7E, 0x9E, 0x98, 120), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(coast);
        p.drawPath(taiwan);
        p.setPen(QPen(QColor(0x4A, 0x3A, 0x26), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(coast);
        p.drawPath(taiwan);

        // Rivers and lakes.
        p.setPen(QPen(kRiver, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(smooth_path(kYellowRiver));
        p.drawPath(smooth_path(kYangtze));
        p.setPen(QPen(kRiver, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(smooth_path(kHanRiver));
        p.drawPath(smooth_path(kWeiRiver));
        p.drawPath(smooth_path(kHuaiRiver));
        p.setPen(QPen(kRiver.darker(115), 1));
        p.setBrush(kSea);
        for (const auto& lake : kLakes) p.drawEllipse(lake.centre, lake.rx, lake.ry);

        // The Great Wall.
        QPen wall(QColor(0x6B, 0x4F, 0x2A, 170), 3.2, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
        wall.setDashPattern({1.6, 0.9});
        p.setPen(wall);
        p.setBrush(Qt::NoBrush);
        p.drawPath(smooth_path(kGreatWall));

        // Region frames round their provinces' places.
        p.setFont(caption_font());
        for (std::size_t r = 0; r < view_.regions.size(); ++r) {
            const auto& frame = view_.regions[r];
            QPainterPath hull;
            if (frame.hull.empty()) continue;
            hull.moveTo(frame.hull.front().x, frame.hull.front().y);
            for (const auto& pt : frame.hull) hull.lineTo(pt.x, pt.y);
            if (frame.hull.size() >= 3) hull.closeSubpath();
            QPainterPathStroker stroker;
            stroker.setWidth(2 * kRegionPad);
            stroker.setJoinStyle(Qt::RoundJoin);
            stroker.setCapStyle(Qt::RoundCap);
            QPainterPath area = stroker.createStroke(hull).united(hull).simplified();
            const QColor tint = kRegionTints[r % 9];
            p.fillPath(area, tint);
            QPen edge(QColor(0x6B, 0x3A, 0x22, 190), 1.6, Qt::DashLine);
            p.setPen(edge);
            p.drawPath(area);
        }
        for (std::size_t r = 0; r < view_.regions.size() && r < captions_.size(); ++r) {
            const QRectF box = captions_[r];
            p.setPen(QPen(QColor(0x6B, 0x3A, 0x22), 1));
            p.setBrush(QColor(0xF6, 0xEC, 0xD2, 235));
            p.drawRoundedRect(box, 3, 3);
            p.setPen(colors::kLacquer);
            p.drawText(box, Qt::AlignCenter, qs(view_.regions[r].name));
        }

        p.setClipping(false);
        p.setPen(QPen(colors::kInk, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(all.adjusted(1, 1, -1, -1));
    }

public:
    static QFont caption_font() { return serif_font(13.0, true); }
    // The province labels' face: smaller on a map shrunk for a small screen, so the crowded
    // north still has room for every label.
    static QFont label_font(double scale = kScale) {
        return serif_font(10.0 * std::clamp(scale / kScale, 0.75, 1.0), true);
    }

private:
    static QSize map_size(double scale) {
        return QSize(static_cast<int>(info::kMapWidth * scale), static_cast<int>(info::kMapHeight * scale));
    }

    // Province labels moved apart where neighbours would cover each other, and the region
    // captions where they cover no label; both keep their size in pixels whatever the scale.
    void place_labels() {
        const double s = scale();
        if (s <= 0 || labels_.size() != view_.provinces.size()) return;
        const QFont font = label_font(s);
        const QFontMetrics fm(font);
        std::vector<info::MapPoint> at, sizes;
        for (const auto& province : view_.provinces) {
            at.push_back(province.at);
            sizes.push_back({(fm.horizontalAdvance(qs(province.name)) + 10) / s, (fm.height() + 4) / s});
        }
        const auto centres = info::spread_labels(at, sizes);
        for (std::size_t k = 0; k < labels_.size(); ++k) {
            const int w = static_cast<int>(sizes[k].x * s + 0.5), h = static_cast<int>(sizes[k].y * s + 0.5);
            labels_[k]->setFont(font);
            labels_[k]->setGeometry(static_cast<int>(left() + centres[k].x * s - w / 2.0 + 0.5),
                                    static_cast<int>(centres[k].y * s - h / 2.0 + 0.5), w, h);
        }
        const QFontMetricsF caption_metrics(caption_font());
        std::vector<info::MapPoint> caption_sizes;
        for (const auto& frame : view_.regions)
            caption_sizes.push_back({caption_metrics.horizontalAdvance(qs(frame.name)) + 12, caption_metrics.height() + 2});
        const auto caption_at = info::place_region_captions(view_.regions, caption_sizes, centres, sizes, kRegionPad);
        captions_.clear();
        for (std::size_t r = 0; r < caption_at.size(); ++r)
            captions_.emplace_back(caption_at[r].x - caption_sizes[r].x / 2, caption_at[r].y - caption_sizes[r].y / 2,
                                   caption_sizes[r].x, caption_sizes[r].y);
    }

    const info::MapView& view_;
    std::vector<QLabel*> labels_;
    std::vector<QRectF> captions_;  // the regions' caption boxes, in map units
};

QString css_colour(const QColor& c) { return c.name(QColor::HexRgb); }

}  // namespace

QColor MapDialog::colour(const info::MapColour& c) const {
    // Nobody's provinces take the colour the desktop gives text on a selection or title bar.
    if (c.system) return palette().color(QPalette::Active, QPalette::HighlightedText);
    return QColor(c.red, c.green, c.blue);
}

MapDialog::MapDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared, info::MapView view,
                     QtHost* host)
    : QDialog(parent), folder_(folder), shared_(shared), host_(host), view_(std::move(view)) {
    setObjectName(QStringLiteral("Map"));
    fit_on_show(*this);
    setWindowTitle(qs(view_.caption));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 10);
    outer->setSpacing(8);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    auto* canvas = new MapCanvas(view_, this);
    canvas->setObjectName(QStringLiteral("MapPicture"));
    top->addWidget(canvas, 1);

    for (std::size_t k = 0; k < view_.provinces.size(); ++k) {
        const auto& province = view_.provinces[k];
        auto* label = new QLabel(qs(province.name), canvas);
        label->setObjectName(QStringLiteral("Lab_Tosi_%1").arg(k));
        label->setAlignment(Qt::AlignCenter);
        label->setMouseTracking(true);
        label->setAttribute(Qt::WA_Hover);
        label->setProperty("province_index", static_cast<int>(k));
        label->setStyleSheet(QStringLiteral("background:%1; color:%2; border:1px solid #2a1e12; border-radius:2px;")
                                 .arg(css_colour(colour(province.background)), css_colour(colour(province.text))));
        label->installEventFilter(this);
        labels_.push_back(label);
    }
    canvas->set_labels(labels_);

    // Legend of the warlords with their swatches.
    auto* legend = new QWidget;
    legend->setObjectName(QStringLiteral("Legend"));
    legend->setStyleSheet(QStringLiteral("#Legend { background:#f6ecd2; border:1px solid #8b6d3f; border-radius:3px; }"));
    auto* grid = new QGridLayout(legend);
    grid->setContentsMargins(10, 10, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(7);
    for (int w = 0; w < info::kLegendEntries; ++w) {
        const auto& entry = view_.legend[w];
        auto* swatch = new QLabel(legend);
        swatch->setObjectName(QStringLiteral("dspGunColor_%1").arg(w + 1));
        swatch->setFixedSize(26, 18);
        swatch->setStyleSheet(QStringLiteral("background:%1; border:1px solid #2a1e12;").arg(css_colour(colour(entry.colour))));
        auto* name = new QLabel(qs(entry.name), legend);
        name->setObjectName(QStringLiteral("lab_Gun_%1").arg(w + 1));
        name->setMinimumWidth(96);
        grid->addWidget(swatch, w, 0);
        grid->addWidget(name, w, 1);
    }
    grid->setRowStretch(info::kLegendEntries, 1);
    top->addWidget(scroll_when_cramped(legend, this), 0);
    outer->addLayout(top, 1);

    auto* bottom = new QHBoxLayout;
    help_ = new QLabel(this);
    help_->setObjectName(QStringLiteral("Lab_hlp"));
    help_->setMinimumWidth(360);
    help_->setMinimumHeight(help_->fontMetrics().lineSpacing() + 10);
    mark_value_box(help_);
    bottom->addWidget(help_, 1);
    bottom->addSpacing(24);
    auto* data = new QPushButton(QStringLiteral("全国データ"), this);
    data->setObjectName(QStringLiteral("Command1_1"));
    auto* back = new QPushButton(QStringLiteral("戻る"), this);
    back->setObjectName(QStringLiteral("Command1_0"));
    back->setDefault(true);
    bottom->addWidget(data);
    bottom->addWidget(back);
    outer->addLayout(bottom);
    connect(data, &QPushButton::clicked, this, [this] { show_province_list(this, folder_, shared_, host_); });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

bool MapDialog::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseMove || type == QEvent::Enter || type == QEvent::HoverMove) {
        const QVariant index = watched->property("province_index");
        if (index.isValid()) {
            const int k = index.toInt();
            if (k >= 0 && k < static_cast<int>(view_.provinces.size())) help_->setText(qs(view_.provinces[k].hover));
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace teijinki::ui
