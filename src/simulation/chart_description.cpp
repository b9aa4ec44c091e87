// The chart's spoken description, sentence by sentence.
#include "simulation/chart_description.h"

#include "platform/accessible.h"
#include "simulation/blackbody.h"

#include <cmath>

std::string DescribeChart(const TPlotInputs &Inputs, const std::vector<TAxisSummary> &Axes,
                          const TTranslateFunc &Translate) {
  std::vector<std::string> sentences;
  // The peak is read as the read-out shows it: whole nanometres.
  const double peakNm = std::nearbyint(PeakWavelength(Inputs.Temperature) * 1e9);
  sentences.push_back(Translate("Curve at <%1%> K, peak at <%2%> nm.",
                                {std::to_string(Inputs.Temperature),
                                 FormatAccessibleNumber(peakNm)}));
  for (const TAxisSummary &axis : Axes)
    sentences.push_back(Translate("<%1%> axis: <%2%> to <%3%>, <%4%>.",
                                  {axis.Caption, FormatAccessibleNumber(axis.Low),
                                   FormatAccessibleNumber(axis.High),
                                   Translate(axis.Logarithmic ? "logarithmic" : "linear", {})}));
  std::string snapshots = std::to_string(Inputs.Snapshots.size());
  if (!Inputs.Snapshots.empty()) {
    snapshots += " (";
    for (std::size_t i = 0; i < Inputs.Snapshots.size(); ++i)
      snapshots += (i ? ", " : "") + std::to_string(Inputs.Snapshots[i]) + " K";
    snapshots += ")";
  }
  sentences.push_back(Translate("Snapshots: <%1%>.", {snapshots}));
  if (Inputs.ShowBand) sentences.push_back(Translate("The band of visible light is shaded.", {}));
  if (Inputs.ShowPeakCurve) sentences.push_back(Translate("The peak curve is shown.", {}));
  std::string out;
  for (const std::string &s : sentences)
    out += (out.empty() ? "" : " ") + s;
  return out;
}
