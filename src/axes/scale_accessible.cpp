// What a stand-alone axis tells a screen reader: a picture named by its
// caption; what it shows beyond that is the form's AccessibleDescription.
#include "axes/scale.h"

void TScale::DescribeAccessible(TAccessibleInfo &Info) const {
  TCustomControl::DescribeAccessible(Info);
  Info.Role = arGraphic;
}
