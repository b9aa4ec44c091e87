// The chart's four cursor pictures (hand for panning, three magnifiers for the
// zoom modes) as XPM text, registered as program resources and with the
// application's cursor list when a chart is created.
#include "chart/rchart_layer.h"
#include "platform/application.h"
#include "platform/resources.h"

namespace {
const char *const kCurhand = R"(/* XPM */
static char *curhand[] = {
"32 32 3 1",
"  c None",
"# c #000000",
"o c #FFFFFF",
"                                ",
"                                ",
"                                ",
"             ###                ",
"            #ooo####            ",
"         ####ooo#ooo#           ",
"        #ooo#ooo#ooo#           ",
"        #ooo#ooo#ooo####        ",
"        #ooo#ooo#ooo#ooo#       ",
"        #ooo#ooo#ooo#ooo#       ",
"        #ooo#ooo#ooo#ooo#       ",
"        #ooo#ooo#ooo#ooo#       ",
"        #ooo#ooo#ooo#ooo#       ",
"        #ooo#ooo#ooo#ooo#       ",
"     ####ooo#ooo#ooo#ooo#       ",
"    #ooooooooooooooooooo#       ",
"    #ooooooooooooooooooo#       ",
"    #oooooooooooooooooo#        ",
"    #oooooooooooooooooo#        ",
"    #oooooooooooooooooo#        ",
"     #ooooooooooooooooo#        ",
"     #ooooooooooooooooo#        ",
"     #ooooooooooooooooo#        ",
"      ###oooooooooooooo#        ",
"        #oooooooooooooo#        ",
"        #oooooooooooooo#        ",
"        #oooooooooooooo#        ",
"         #oooooooooooo#         ",
"         #oooooooooooo#         ",
"          ############          ",
"                                ",
"                                "
};
)";
const char *const kCurzoomw = R"(/* XPM */
static char *curzoomw[] = {
"32 32 3 1",
"  c None",
"# c #000000",
"o c #FFFFFF",
"                                ",
"                                ",
"         #####                  ",
"       #########                ",
"     ####ooooo####              ",
"    ###ooooooooo###             ",
"    ##ooooooooooo##             ",
"   ##oo#########oo##            ",
"   ##oo#ooooooo#oo##            ",
"  ##ooo#ooooooo#ooo##           ",
"  ##ooo#ooooooo#ooo##           ",
"  ##ooo#ooooooo#ooo##           ",
"  ##ooo#ooooooo#ooo##           ",
"  ##ooo#ooooooo#ooo##           ",
"   ##oo#ooooooo#oo##            ",
"   ##oo#########oo##            ",
"    ##ooooooooooo#oo#           ",
"    ###ooooooooo##ooo#          ",
"     ####ooooo##oooo#o#         ",
"       #########ooo###o#        ",
"         #####  #o#####o#       ",
"                 #o#####o#      ",
"                  #o#####o#     ",
"                   #o#####o#    ",
"                    #o#####o#   ",
"                     #o#####o#  ",
"                      #o#####o# ",
"                       #o#####o#",
"                        #o######",
"                         #o#####",
"                          #o####",
"                           #### "
};
)";
const char *const kCurzoomd = R"(/* XPM */
static char *curzoomd[] = {
"32 32 3 1",
"  c None",
"# c #000000",
"o c #FFFFFF",
"                                ",
"                                ",
"         #####                  ",
"       #########                ",
"     ####ooooo####              ",
"    ###ooooooooo###             ",
"    ##ooooooooooo##             ",
"   ##oooooo#oooooo##            ",
"   ##oooooo#oooooo##            ",
"  ##ooooooo#ooooooo##           ",
"  ##ooooooo#ooooooo##           ",
"  ##ooo#########ooo##           ",
"  ##ooooooo#ooooooo##           ",
"  ##ooooooo#ooooooo##           ",
"   ##oooooo#oooooo##            ",
"   ##oooooo#oooooo##            ",
"    ##ooooooooooo#oo#           ",
"    ###ooooooooo##ooo#          ",
"     ####ooooo##oooo#o#         ",
"       #########ooo###o#        ",
"         #####  #o#####o#       ",
"                 #o#####o#      ",
"                  #o#####o#     ",
"                   #o#####o#    ",
"                    #o#####o#   ",
"                     #o#####o#  ",
"                      #o#####o# ",
"                       #o#####o#",
"                        #o######",
"                         #o#####",
"                          #o####",
"                           #### "
};
)";
const char *const kCurzoomp = R"(/* XPM */
static char *curzoomp[] = {
"32 32 3 1",
"  c None",
"# c #000000",
"o c #FFFFFF",
"                                ",
"                                ",
"         #####                  ",
"       #########                ",
"     ####ooooo####              ",
"    ###ooooooooo###             ",
"    ##ooooooooooo##             ",
"   ##oo#########oo##            ",
"   ##oo#####ooo#oo##            ",
"  ##ooo####oooo#ooo##           ",
"  ##ooo###ooooo#ooo##           ",
"  ##ooo##oooooo#ooo##           ",
"  ##ooo#ooooooo#ooo##           ",
"  ##ooo#ooooooo#ooo##           ",
"   ##oo#ooooooo#oo##            ",
"   ##oo#########oo##            ",
"    ##ooooooooooo#oo#           ",
"    ###ooooooooo##ooo#          ",
"     ####ooooo##oooo#o#         ",
"       #########ooo###o#        ",
"         #####  #o#####o#       ",
"                 #o#####o#      ",
"                  #o#####o#     ",
"                   #o#####o#    ",
"                    #o#####o#   ",
"                     #o#####o#  ",
"                      #o#####o# ",
"                       #o#####o#",
"                        #o######",
"                         #o#####",
"                          #o####",
"                           #### "
};
)";

struct TCursorPicture {
  TCursor Index;
  const char *Name;
  const char *Xpm;
  int HotX, HotY;
};

} // namespace

void TCustomRChart::RegisterCursors() {
  // Hot spots: the palm's middle for the hand, the lens centre for the magnifiers.
  static const TCursorPicture pictures[] = {
      {crChartHand, "CURHAND", kCurhand, 15, 17},
      {crChartZoomWindow, "CURZOOMW", kCurzoomw, 11, 11},
      {crChartZoomDrag, "CURZOOMD", kCurzoomd, 11, 11},
      {crChartZoomWindowPos, "CURZOOMP", kCurzoomp, 11, 11},
  };
  for (const TCursorPicture &p : pictures) {
    if (!FindResource(p.Name)) RegisterResource(p.Name, p.Xpm);
    Application->SetCursorImage(p.Index, p.Name, p.HotX, p.HotY);
  }
}
