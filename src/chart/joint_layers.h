#pragma once
// Layer coupling: which layer controls the x range and the y range of each of
// the chart's 16 layers. A controlled (slaved) axis always shows its
// controller's range; the chart applies that, this object keeps the two
// tables and enforces the joining rules that keep them free of chains.
#include "platform/persistent.h"

#include <array>
#include <functional>
#include <string>

/// The two tables of the joints.
enum TJointAxis { jaX, jaY };

/// Number of layers the tables cover (layers 1 ... 16).
inline constexpr int JointLayerCount = 16;

/// One table: entry L (index L - 1) is the layer controlling layer L.
using TJointTable = std::array<int, JointLayerCount>;

/// The identity table: every layer controls itself.
TJointTable IdentityJoints();

/// Why setting entry Layer of Table to Value is refused, or an empty text when
/// it is allowed. The checks run in this order: Value outside 1 ... 16; Value
/// equal to Layer (always allowed: the layer controls itself again); the
/// destination controlled by another layer; Layer controlling other layers
/// (listed in ascending order).
std::string JoinRefusal(const TJointTable &Table, int Layer, int Value);

/// The joints of a chart, published as L01xControlledBy ... L16yControlledBy.
class TJointLayers : public TPersistent {
public:
  TJointLayers();

  /// The layer controlling Layer's range on Axis (Layer itself outside 1 ... 16).
  int ControlledBy(TJointAxis Axis, int Layer) const;
  /// Joins Layer's Axis range to Value's. A refusal raises EZeltRChartError
  /// with the rule's message and changes nothing; Value = Layer releases the
  /// join without any further effect. Otherwise OnJoin copies the range and
  /// OnChange follows. Layers outside 1 ... 16 are ignored.
  void SetControlledBy(TJointAxis Axis, int Layer, int Value);
  /// The whole table of one axis.
  const TJointTable &Table(TJointAxis Axis) const { return Axis == jaX ? x_ : y_; }

  /// Copies the tables of another joints object (no checks, no notification).
  void Assign(TPersistent *Source) override;

  /// Raised after a successful join, before OnChange: the owner copies the
  /// controller's range into the joined layer.
  std::function<void(TJointAxis Axis, int Layer, int Controller)> OnJoin;
  /// Raised after a successful join.
  TNotifyEvent OnChange;

private:
  TJointTable x_;
  TJointTable y_;
};

/// Name of the published property for Layer (1 ... 16) and Axis, e.g. "L03yControlledBy".
std::string JointPropertyName(int Layer, TJointAxis Axis);
