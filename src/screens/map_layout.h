#pragma once
// The map's geometry in its 1000 x 800 space: the frames drawn round the regions, labels moved
// apart so that none covers another, and the regions' captions placed beside their labels.

#include <string>
#include <vector>

namespace teijinki::info {

struct MapPoint {
    double x = 0, y = 0;
};

struct RegionFrame {
    std::string name;
    std::vector<int> province_ids;
    std::vector<MapPoint> hull;  // convex hull of the provinces' places, counter-clockwise
    double left = 0, top = 0, right = 0, bottom = 0;
};

inline constexpr double kMapWidth = 1000;
inline constexpr double kMapHeight = 800;

// The convex hull of the points, counter-clockwise.
std::vector<MapPoint> convex_hull(std::vector<MapPoint> points);

// Centres for labels of the given sizes placed at the given points, moved apart just enough that
// no two overlap (with `gap` between them) and kept inside the map.
std::vector<MapPoint> spread_labels(const std::vector<MapPoint>& at, const std::vector<MapPoint>& sizes,
                                    double gap = 2);

// Centres for the regions' captions (one per frame, sizes given): beside one of the region's
// labels, as near the top of the frame as they can be without covering a label or another caption,
// and outside the other frames (drawn frame_pad beyond their hulls) where that can be had.
std::vector<MapPoint> place_region_captions(const std::vector<RegionFrame>& frames,
                                            const std::vector<MapPoint>& caption_sizes,
                                            const std::vector<MapPoint>& label_centres,
                                            const std::vector<MapPoint>& label_sizes, double frame_pad = 30);

}  // namespace teijinki::info
