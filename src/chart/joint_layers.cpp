#include "chart/joint_layers.h"

#include "support/zelt_errors.h"

TJointTable IdentityJoints() {
  TJointTable t{};
  for (int l = 1; l <= JointLayerCount; ++l)
    t[std::size_t(l - 1)] = l;
  return t;
}

std::string JoinRefusal(const TJointTable &Table, int Layer, int Value) {
  if (Value < 1 || Value > JointLayerCount)
    return "Destination layer " + std::to_string(Value) + " is out of range";
  if (Value == Layer) return {};
  if (Table[std::size_t(Value - 1)] != Value)
    return "Destination layer " + std::to_string(Value) + " is already joined";
  std::string followers;
  for (int k = 1; k <= JointLayerCount; ++k) {
    if (k == Layer || Table[std::size_t(k - 1)] != Layer) continue;
    if (!followers.empty()) followers += ", ";
    followers += std::to_string(k);
  }
  if (!followers.empty())
    return "Layer " + std::to_string(Layer) + " is joined by other layers (" + followers + ")";
  return {};
}

TJointLayers::TJointLayers() : x_(IdentityJoints()), y_(IdentityJoints()) {}

int TJointLayers::ControlledBy(TJointAxis Axis, int Layer) const {
  if (Layer < 1 || Layer > JointLayerCount) return Layer;
  return Table(Axis)[std::size_t(Layer - 1)];
}

void TJointLayers::SetControlledBy(TJointAxis Axis, int Layer, int Value) {
  if (Layer < 1 || Layer > JointLayerCount) return;
  TJointTable &table = Axis == jaX ? x_ : y_;
  const std::string refusal = JoinRefusal(table, Layer, Value);
  if (!refusal.empty()) throw EZeltRChartError(refusal);
  table[std::size_t(Layer - 1)] = Value;
  if (Value == Layer) return; // controls itself again: nothing else happens
  if (OnJoin) OnJoin(Axis, Layer, Value);
  if (OnChange) OnChange(this);
}

void TJointLayers::Assign(TPersistent *Source) {
  if (auto *src = dynamic_cast<TJointLayers *>(Source)) {
    x_ = src->x_;
    y_ = src->y_;
    return;
  }
  TPersistent::Assign(Source);
}

std::string JointPropertyName(int Layer, TJointAxis Axis) {
  std::string name = "L";
  if (Layer < 10) name += '0';
  name += std::to_string(Layer);
  name += Axis == jaX ? "xControlledBy" : "yControlledBy";
  return name;
}
