#include "splash/frmSplash.h"

#include "art/icon_art.h"
#include "platform/drawing/pixel_art.h"
#include "platform/hosting/property_bag.h"
#include "platform/support/numbers.h"
#include "platform/toolkit/system_colors.h"
#include "splash/modGrad.h"
#include "splash/startCMD_design.h"

namespace starquill {
namespace {

// Sizes and places in pixels (the design's twips divided by 15).
constexpr int kClientWidth = 593, kClientHeight = 272, kFrame = 4;
// The board is laid out as 8895 x 4095 twips at 15 twips a pixel: one row taller than the
// client area, so its last row is never seen.
constexpr int kBoardWidth = 593, kBoardHeight = 273;
constexpr Area kStartPlace{224, 224, 145, 33};  // the start button's
constexpr int kRefreshMs = 1;                   // as fast as the platform's timers go
constexpr int kBlinkMs = 1000;
constexpr int32_t kTitleMaxPoints = 36;
constexpr int32_t kLineMaxPoints = 18;
constexpr Color kRed = RGB(255, 0, 0);
constexpr const char* kStartIcon = "start_icon";

FontSpec BoldItalic(double points) {
  return FontSpec{"Arial", points, true, true};
}

// The start button's saved design, with the picture it names: the program's icon.
PropertyBag StartDesign() {
  PropertyBag design = PropertyBag::Parse(kStartCmdDesign);
  design.AddPicture(kStartIcon, std::make_shared<Bitmap>(ParsePixelArt(kStarquillIconArt)));
  return design;
}

}  // namespace

frmSplash::frmSplash(Platform& platform, std::function<void()> started)
    : platform_(platform),
      board(kBoardWidth, kBoardHeight),
      start(129, 17),
      startCMD(*this),
      StartLabel(240, 240, 129, 25),
      Label1(176, 200, 241, 33),
      started_(std::move(started)),
      window_(platform.CreateWindow()) {
  board.SetBackColor(RGB(0, 0, 0));
  board.SetFont(FontSpec{"Arial", 8.25, false, false});
  start.Move(32, 248, 129, 17);
  start.SetBackColor(RGB(255, 255, 255));
  start.SetFont(FontSpec{"Verdana", 8.25, true, false});
  start.Cls();

  StartLabel.SetCaption("Start Starquill");
  StartLabel.Font = BoldItalic(8.25);
  StartLabel.TextAlignment = Label::kCenter;
  StartLabel.Click = [this] { StartLabel_Click(); };
  Label1.SetCaption(kHint);
  Label1.Font = BoldItalic(8.25);
  Label1.TextAlignment = Label::kCenter;

  // The button comes with the window: its saved design is loaded before the form's own load.
  startCMD.ReadProperties(StartDesign());
  startCMD.Click = [this] { startCMD_Click(); };

  window_->SetCaption("");
  window_->KeyPress = [this](int code) { Form_KeyPress(code); };
  window_->Unloaded = [this] {
    if (!starting_ && Closed) Closed();
  };
  window_->AddSurface(board);
  // The labels lie on the board; the button, a window of its own, lies in front of them.
  window_->AddLabel(StartLabel);
  window_->AddLabel(Label1);
  window_->AddControl(startCMD.Window());
}

frmSplash::~frmSplash() = default;

std::optional<Color> frmSplash::ContainerBackColor() const {
  return platform_.SystemColor(kColorButtonFace);  // the form's background
}

void frmSplash::Form_Load() {
  TitleText = "Starquill";
  TitleSize = 3;
  SubLines[0].text = "A fireworks show for your desktop";
  SubLines[2].text = "Keys 1 to 7 launch rockets, Esc ends the show";
  for (SubLine& line : SubLines)
    line.size = 1;
  R1 = 144, R2 = 2, G1 = 2, G2 = 255, B1 = 255, B2 = 25;

  // The hidden picture button: the board's band reversed and darkened, with its caption.
  GradientFill(start, 0, 0.8 * R2, 0.8 * G2, 0.8 * B2, 0.8 * R1, 0.8 * G1, 0.8 * B1);
  start.SetForeColor(kRed);
  start.SetFontSize(8);
  const double W = start.ScaleWidth(), H = start.ScaleHeight();
  start.SetCurrentX(static_cast<float>(IntDiv(W, 2) - IntDiv(start.TextWidth("Start Program"), 2)));
  start.SetCurrentY(static_cast<float>(IntDiv(H, 2) - IntDiv(start.TextHeight("|"), 2)));
  start.Print("Start Program");

  // Start is never off screen, however small the screen.
  window_->ShowCentered(kClientWidth, kClientHeight, kFrame, kStartPlace);
  startCMD.Window().Move(kStartPlace.left, kStartPlace.top, kStartPlace.width, kStartPlace.height);
  startCMD.Window().Show();
  tmrDraw_Timer();  // the first picture, before any timer event

  TimerService& timers = platform_.Timers();
  timer1_ = timers.CreateTimer(kBlinkMs, true, [this] { Timer1_Timer(); });
  tmr_draw_ = timers.CreateTimer(kRefreshMs, true, [this] { tmrDraw_Timer(); });
  tmr_update_ = timers.CreateTimer(kRefreshMs, true, [this] { tmrUpdate_Timer(); });
}

frmSplash::BoardLook frmSplash::Look() const {
  return {TitleText, TitleSize, SubLines, {R1, G1, B1, R2, G2, B2}, board.StoreVersion()};
}

bool frmSplash::LooksAsPainted() const {
  // Compared in place: an idle tick copies nothing.
  return painted_ && painted_->title == TitleText && painted_->title_size == TitleSize &&
         painted_->lines == SubLines &&
         painted_->colors == std::array<int32_t, 6>{R1, G1, B1, R2, G2, B2} &&
         painted_->store == board.StoreVersion();
}

void frmSplash::tmrDraw_Timer() {
  // Once the title and the lines have grown, every repaint would give the same picture: the
  // board is painted and shown only when something it is made of has changed.
  if (LooksAsPainted()) return;
  const BoardLook look = Look();
  board.Cls();
  GradientFill(board, 0, R1, G1, B1, R2, G2, B2);
  board.SetForeColor(kRed);
  board.SetFontSize(TitleSize);

  const double W = board.ScaleWidth();
  const int32_t halfHeight = IntDiv(board.ScaleHeight(), 2);
  board.SetCurrentX(static_cast<float>(IntDiv(W, 2) - IntDiv(board.TextWidth(TitleText), 2)));
  double Th = board.TextHeight("|");
  // The title's top edge lies two title lines above the middle.
  board.SetCurrentY(static_cast<float>(halfHeight - 2 * Th));
  board.Print(TitleText);

  Th = board.TextHeight("|");
  const double BaseY = halfHeight - 2 * Th + Th;  // the subtitles start where the title ends
  for (int i = 1; i <= 5; ++i) {
    const SubLine& line = SubLines[static_cast<size_t>(i - 1)];
    board.SetFontSize(line.size);
    board.SetCurrentX(static_cast<float>(IntDiv(W, 2) - IntDiv(board.TextWidth(line.text), 2)));
    const double Thi = board.TextHeight("|");
    board.SetCurrentY(static_cast<float>(BaseY + (Thi + 5) * (i - 1)));
    board.Print(line.text);
  }
  painted_ = look;
  window_->Present();
}

void frmSplash::tmrUpdate_Timer() {
  TitleSize = std::min(TitleSize + 1, kTitleMaxPoints);
  for (SubLine& line : SubLines)
    line.size = std::min(line.size + 1, kLineMaxPoints);
}

void frmSplash::Timer1_Timer() {
  // Blinks the hint; any other caption stops the blinking.
  if (Label1.Caption() == kHint) {
    Label1.SetCaption("");
  } else if (Label1.Caption().empty()) {
    Label1.SetCaption(kHint);
  }
}

void frmSplash::Form_KeyPress(int KeyAscii) {
  // The frameless splash has no close box: Esc ends the program from here as from the show.
  // Return and Space press the start button, the window's default button.
  if (KeyAscii == kEscape) {
    platform_.EndProgram();
  } else if (KeyAscii == kReturn || KeyAscii == ' ') {
    startCMD_Click();
  }
}

void frmSplash::start_Click() {
  StartSequence();
}
void frmSplash::startCMD_Click() {
  StartSequence();
}
void frmSplash::StartLabel_Click() {
  StartSequence();
}

void frmSplash::StartSequence() {
  if (starting_) return;  // the splash is already on its way out
  starting_ = true;
  tmr_draw_->SetEnabled(false);
  tmr_update_->SetEnabled(false);
  // The window goes for good, and its blinking with it.
  timer1_->SetEnabled(false);
  window_->Unload();
  if (started_) started_();
}

}  // namespace starquill
