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
/// One temperature step of the simulation in the scene's heaviest state
/// (band, peak curve, the snapshots with captions, the current curve and the
/// peak line, 198 samples a curve): a Frame composes the whole display list
/// for the next temperature with the simulation's own composer, which paints
/// the chart in full when it shows the list.
std::unique_ptr<TPeerContender> MakeChartStepContender(const TPeerScene &Scene);
/// The same step for QCustomPlot: the current curve and the peak line get the
/// next temperature's data (the snapshots keep theirs), then a full render.
std::unique_ptr<TPeerContender> MakeQcpStepContender(const TPeerScene &Scene);
/// Temperatures a step contender walks through: 5800, 5801, ... 5999, 5800, ...
unsigned NextStepTemperature(unsigned T);
/// Name and version of the QCustomPlot the benchmark was built with, or empty.
std::string QcpVersion();
