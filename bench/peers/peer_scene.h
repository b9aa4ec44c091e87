#pragma once
// The picture every contender of the peer benchmark draws: black-body curves
// on a linear energy axis with the band of visible light, the curve through
// the peaks, the dotted line at the current peak, captions at the snapshot
// peaks and a grid of 21 + 21 lines, 800 x 600 pixels. The curves are
// computed once, in world units (nanometres, J/m^4), so that every contender
// maps and draws the very same numbers.
#include <cstdint>
#include <string>
#include <vector>

struct TPeerCurve {
  std::vector<double> X, Y;
  std::uint32_t Color = 0; // 0xBBGGRR
  bool Dotted = false;
  std::string Label; // caption at the curve's peak, empty for none
  double LabelX = 0, LabelY = 0;
};

struct TPeerScene {
  int Width = 800, Height = 600;
  // Margins of the data area, as the simulation window's chart has them.
  int MarginLeft = 64, MarginRight = 12, MarginTop = 20, MarginBottom = 40;
  double XLow = 0, XHigh = 10000, YLow = 9e-11, YHigh = 1;
  double GridDx = 500, GridDy = 1; // 21 lines across each axis
  double BandLow = 380, BandHigh = 770;
  std::string BandText = "visible light";
  std::string XCaption = "Wavelength [nm]", YCaption = "Energy Density";
  TPeerCurve Peaks;             // the curve through all peaks (496 points)
  std::vector<TPeerCurve> Data; // snapshots oldest first, then the current curve
  TPeerCurve PeakLine;          // dotted, at the current curve's peak
  std::vector<unsigned> SnapshotTemperatures; // of Data's snapshots, oldest first
  unsigned Current = 5800;                    // temperature of the current curve
};

/// Curves curves (the last one is the current 5800 K curve, the others are
/// snapshots from 3000 K up with captions) of Points samples each.
TPeerScene MakePeerScene(int Curves, int Points);

/// The curve of temperature T: a start on the x axis at 100 nm, then Points
/// samples from 100 nm to 9950 nm, its caption position at the peak.
TPeerCurve PlanckCurve(unsigned T, int Points);
