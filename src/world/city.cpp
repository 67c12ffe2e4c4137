#include "world/city.h"

TGrid2D<float> RoadGrid(CityWidth, CityHeight);
TGrid2D<std::shared_ptr<TImage>> TileImages(CityWidth, CityHeight);
std::vector<tPoint> RoadPoints;
tPoint StartPoint;
tPoint SewerPoint;
std::shared_ptr<TImage> MiniMapImage;

void CreateCityGrids() {
    RoadGrid.Resize(CityWidth, CityHeight, 0.0f);
    TileImages.Resize(CityWidth, CityHeight, nullptr);
    RoadPoints.clear();
    StartPoint = tPoint{};
    SewerPoint = tPoint{};
    MiniMapImage.reset();
}
