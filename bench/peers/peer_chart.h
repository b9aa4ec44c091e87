#pragma once
// The chart and the floor (plain QPainter replaying the chart's own drawing
// calls) as contenders of the peer benchmark.
#include "peer_scene.h"

#include <memory>
#include <string>

class QImage;

/// One contender: Prepare builds everything outside the timed part, Frame
/// draws one complete picture, Picture is what the last frame drew.
class TPeerContender {
public:
  virtual ~TPeerContender() = default;
  virtual void Frame() = 0;
  virtual QImage Picture() const = 0;
};

/// The chart with the scene in its display list; a frame is one Repaint.
std::unique_ptr<TPeerContender> MakeChartContender(const TPeerScene &Scene);
/// The same lines, rectangles, points and texts the chart draws in one paint
/// (captured once), replayed with one QPainter on an 800 x 600 image.
std::unique_ptr<TPeerContender> MakeFloorContender(const TPeerScene &Scene);
/// QCustomPlot drawing the scene (null when the benchmark was built without it).
std::unique_ptr<TPeerContender> MakeQcpContender(const TPeerScene &Scene);
/// Name and version of the QCustomPlot the benchmark was built with, or empty.
std::string QcpVersion();
