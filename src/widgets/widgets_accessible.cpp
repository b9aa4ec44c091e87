// What the display widgets tell a screen reader: a read-out as one text, a
// hyperlink label as a link to its address.
#include "widgets/num_lab.h"
#include "widgets/url_lab.h"

#include <utility>

void TNumLab::DescribeAccessible(TAccessibleInfo &Info) const {
  TGraphicControl::DescribeAccessible(Info);
  Info.Role = arStaticText;
  std::string value;
  if (!empty_) {
    // The value as drawn, before the width check: a value too wide for the
    // box is still read out in full.
    value = ValueText();
    if (OnBeforeDisplay) OnBeforeDisplay(const_cast<TNumLab *>(this), value);
  }
  std::string spoken;
  for (const std::string *part :
       {AccessibleName().empty() ? &leftText_ : &AccessibleName(), &std::as_const(value), &rightText_}) {
    if (part->empty()) continue;
    if (!spoken.empty()) spoken += ' ';
    spoken += *part;
  }
  Info.Name = spoken;
  Info.Value = value;
  Info.Silent = spoken.empty();
}

void TUrlLab::DescribeAccessible(TAccessibleInfo &Info) const {
  TLabel::DescribeAccessible(Info);
  Info.Role = arLink;
  if (Info.Description.empty()) Info.Description = url_;
}
