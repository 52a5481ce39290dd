#include "screens/map_layout.h"

#include <algorithm>
#include <cmath>

namespace teijinki::info {

namespace {

double cross(const MapPoint& o, const MapPoint& a, const MapPoint& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

}  // namespace

// Monotone chain; counter-clockwise in a y-down space turned round.
std::vector<MapPoint> convex_hull(std::vector<MapPoint> points) {
    std::sort(points.begin(), points.end(), [](const MapPoint& a, const MapPoint& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const MapPoint& a, const MapPoint& b) { return a.x == b.x && a.y == b.y; }),
                 points.end());
    if (points.size() < 3) return points;
    std::vector<MapPoint> hull(2 * points.size());
    std::size_t k = 0;
    for (const auto& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, t = k + 1; i > 0; --i) {
        const auto& p = points[i - 1];
        while (k >= t && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    hull.resize(k - 1);
    return hull;
}

std::vector<MapPoint> spread_labels(const std::vector<MapPoint>& at, const std::vector<MapPoint>& sizes, double gap) {
    std::vector<MapPoint> pos = at;
    const std::size_t n = std::min(at.size(), sizes.size());
    pos.resize(n);
    auto clamp_inside = [&](std::size_t i) {
        pos[i].x = std::clamp(pos[i].x, sizes[i].x / 2, kMapWidth - sizes[i].x / 2);
        pos[i].y = std::clamp(pos[i].y, sizes[i].y / 2, kMapHeight - sizes[i].y / 2);
    };
    for (std::size_t i = 0; i < n; ++i) clamp_inside(i);
    // Push overlapping pairs apart along the axis where they overlap least, half each; a few
    // rounds settle the close neighbours without moving anyone else.
    for (int round = 0; round < 200; ++round) {
        bool moved = false;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 1; j < n; ++j) {
                const double dx = pos[j].x - pos[i].x, dy = pos[j].y - pos[i].y;
                const double ox = (sizes[i].x + sizes[j].x) / 2 + gap - std::abs(dx);
                const double oy = (sizes[i].y + sizes[j].y) / 2 + gap - std::abs(dy);
                if (ox <= 1e-9 || oy <= 1e-9) continue;
                moved = true;
                if (oy <= ox) {
                    const double s = dy >= 0 ? 1 : -1;
                    pos[i].y -= s * oy / 2;
                    pos[j].y += s * oy / 2;
                } else {
                    const double s = dx >= 0 ? 1 : -1;
                    pos[i].x -= s * ox / 2;
                    pos[j].x += s * ox / 2;
                }
            }
        }
        if (!moved) break;
    }
    for (std::size_t i = 0; i < n; ++i) clamp_inside(i);
    return pos;
}

namespace {

struct Box {
    double left, top, right, bottom;
    bool overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

Box box_at(const MapPoint& centre, const MapPoint& size, double margin = 0) {
    return {centre.x - size.x / 2 - margin, centre.y - size.y / 2 - margin, centre.x + size.x / 2 + margin,
            centre.y + size.y / 2 + margin};
}

// Distance from a point to a region's convex hull (0 inside; far away from an empty hull). One
// place is an edge of length 0, two places one edge run both ways.
double distance_to_hull(const MapPoint& p, const std::vector<MapPoint>& hull) {
    auto segment = [&](const MapPoint& a, const MapPoint& b) {
        const double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
        const double t = len > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0) : 0.0;
        return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
    };
    // Same turn for every edge means inside a convex polygon, whichever way round it runs.
    auto turns_right = [&](const MapPoint& a, const MapPoint& b) {
        return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x) < 0;
    };
    bool inside = hull.size() >= 3;
    const bool first_turns_right = inside && turns_right(hull[0], hull[1]);
    double best = 1e9;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const MapPoint& a = hull[i];
        const MapPoint& b = hull[(i + 1) % hull.size()];
        best = std::min(best, segment(a, b));
        if (turns_right(a, b) != first_turns_right) inside = false;
    }
    return inside ? 0 : best;
}

}  // namespace

std::vector<MapPoint> place_region_captions(const std::vector<RegionFrame>& frames,
                                            const std::vector<MapPoint>& caption_sizes,
                                            const std::vector<MapPoint>& label_centres,
                                            const std::vector<MapPoint>& label_sizes, double frame_pad) {
    std::vector<Box> taken;
    for (std::size_t i = 0; i < label_centres.size() && i < label_sizes.size(); ++i)
        taken.push_back(box_at(label_centres[i], label_sizes[i], 1));
    std::vector<MapPoint> out;
    for (std::size_t r = 0; r < frames.size(); ++r) {
        const RegionFrame& frame = frames[r];
        const MapPoint cs = r < caption_sizes.size() ? caption_sizes[r] : MapPoint{40, 20};
        const double middle = (frame.left + frame.right) / 2;
        MapPoint best{middle, frame.top};
        double best_cost = 1e18;
        for (int id : frame.province_ids) {
            if (id < 1 || id > static_cast<int>(std::min(label_centres.size(), label_sizes.size()))) continue;
            const MapPoint c = label_centres.at(id - 1), s = label_sizes.at(id - 1);
            const double up = s.y / 2 + cs.y / 2 + 3, side = s.x / 2 + cs.x / 2 + 3;
            const MapPoint candidates[] = {{c.x, c.y - up},        {c.x - side / 2, c.y - up}, {c.x + side / 2, c.y - up},
                                           {c.x - side, c.y},      {c.x + side, c.y},          {c.x, c.y + up},
                                           {c.x - side, c.y - up}, {c.x + side, c.y - up}};
            for (const MapPoint& at : candidates) {
                const Box b = box_at(at, cs);
                double cost = (at.y - frame.top) + 0.3 * std::abs(at.x - middle);
                if (b.left < 0 || b.top < 0 || b.right > kMapWidth || b.bottom > kMapHeight) cost += 1e6;
                // A caption inside a neighbour's frame would name the wrong region.
                for (std::size_t other = 0; other < frames.size(); ++other)
                    if (other != r && distance_to_hull(at, frames[other].hull) < frame_pad) cost += 300;
                for (const Box& t : taken)
                    if (b.overlaps(t)) cost += 1e4;
                if (cost < best_cost) {
                    best_cost = cost;
                    best = at;
                }
            }
        }
        out.push_back(best);
        taken.push_back(box_at(best, cs, 1));
    }
    return out;
}

}  // namespace teijinki::info
