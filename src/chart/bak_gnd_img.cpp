#include "chart/bak_gnd_img.h"

namespace {

// The part of a path after its last directory separator.
std::string FileNamePart(const std::string &Path) {
  const auto cut = Path.find_last_of("/\\:");
  return cut == std::string::npos ? Path : Path.substr(cut + 1);
}

} // namespace

void TBakGndImg::Changed() {
  if (OnChange) OnChange(this);
}

void TBakGndImg::SetName(const std::string &Value) {
  name_ = includePath_ ? Value : FileNamePart(Value);
  Changed();
}
void TBakGndImg::SetIncludePath(bool Value) {
  includePath_ = Value;
  if (!Value) name_ = FileNamePart(name_);
  Changed();
}
void TBakGndImg::SetFillMode(TBkgFill Value) {
  fillMode_ = Value;
  Changed();
}
void TBakGndImg::SetAreaMode(TBGAreaMode Value) {
  areaMode_ = Value;
  Changed();
}
void TBakGndImg::SetAreaColor(TColor Value) {
  areaColor_ = Value;
  Changed();
}
void TBakGndImg::SetAreaLeft(double Value) {
  areaLeft_ = Value;
  Changed();
}
void TBakGndImg::SetAreaRight(double Value) {
  areaRight_ = Value;
  Changed();
}
void TBakGndImg::SetAreaTop(double Value) {
  areaTop_ = Value;
  Changed();
}
void TBakGndImg::SetAreaBottom(double Value) {
  areaBottom_ = Value;
  Changed();
}

void TBakGndImg::Assign(TPersistent *Source) {
  auto *src = dynamic_cast<TBakGndImg *>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  name_ = src->name_;
  includePath_ = src->includePath_;
  fillMode_ = src->fillMode_;
  areaMode_ = src->areaMode_;
  areaColor_ = src->areaColor_;
  areaLeft_ = src->areaLeft_;
  areaRight_ = src->areaRight_;
  areaTop_ = src->areaTop_;
  areaBottom_ = src->areaBottom_;
  Changed();
}
