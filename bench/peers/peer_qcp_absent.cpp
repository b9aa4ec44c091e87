// Built instead of peer_qcp.cpp when QCustomPlot is not installed.
#include "peer_chart.h"

std::unique_ptr<TPeerContender> MakeQcpContender(const TPeerScene &) {
  return nullptr;
}

std::unique_ptr<TPeerContender> MakeQcpStepContender(const TPeerScene &) {
  return nullptr;
}

std::string QcpVersion() {
  return std::string();
}
