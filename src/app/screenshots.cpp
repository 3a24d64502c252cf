#include "screenshots.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <utility>
#include <vector>

#include "about_box.h"
#include "currency_window.h"
#include "document/money.h"
#include "info_window.h"
#include "main_window.h"
#include "preview.h"
#include "program.h"
#include "settings_window.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

struct View {
  QString name;
  ScreenshotFn show;
};

std::vector<View>& Views() {
  static std::vector<View> views;
  return views;
}

// Waits for the paint box's first painting of a page, then lets that painting finish.
class PaintWatch : public QObject {
 public:
  PaintWatch(TPreviewArea& preview, std::function<void()> then)
      : QObject(&preview), preview_(preview), then_(std::move(then)) {
    preview.PaintBox()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && preview_.DrawCount() > 0 && then_) {
      preview_.PaintBox()->removeEventFilter(this);
      QTimer::singleShot(0, preview_.PaintBox(), std::exchange(then_, nullptr));
      deleteLater();
    }
    return false;
  }

 private:
  TPreviewArea& preview_;
  std::function<void()> then_;
};

// How long a view has to settle before its picture: windows shown, laid out and painted,
// and the preview drawn again at a new size (it draws at the next turn of the event loop).
constexpr int kSettleMs = 300;
// How long a new window may take to appear on the screen.
constexpr int kExposeWaitMs = 5000;

class Walker : public QObject {
 public:
  Walker(TProgram& program, QString folder)
      : QObject(&program.frmMain()), program_(program), folder_(std::move(folder)) {}

  void ShowNext() {
    if (index_ >= Views().size()) {
      QApplication::exit(failed_ ? 1 : 0);
      deleteLater();
      return;
    }
    current_ = Views()[index_].show(program_);
    // Windows the view brought up by the way (the information window's hint on the goods tab)
    // would cover the one it is about.
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible() && window != &program_.frmMain() &&
          (!current_ || window != current_->window()))
        window->hide();
    waited_ = 0;
    QTimer::singleShot(kSettleMs, this, [this] { Grab(); });
  }

 private:
  void Grab() {
    const View& view = Views()[index_];
    QWidget* widget = current_.data();
    QWindow* handle = widget ? widget->window()->windowHandle() : nullptr;
    if (handle && !handle->isExposed() && waited_ < kExposeWaitMs) {
      waited_ += 50;
      QTimer::singleShot(50, this, [this] { Grab(); });
      return;
    }
    if (!widget || !handle || !handle->isExposed()) {
      Fail(view.name, "the view shows nothing on the screen");
    } else {
      QWidget* window = widget->window();
      const QPoint at = widget->mapTo(window, QPoint(0, 0));
      QScreen* screen = handle->screen();
      const QPixmap picture =
          screen->grabWindow(window->winId(), at.x(), at.y(), widget->width(), widget->height());
      const QString file = QDir(folder_).filePath(view.name + u".png"_s);
      if (picture.isNull() || !picture.save(file, "PNG")) Fail(view.name, "cannot write the picture");
      if (window != &program_.frmMain()) window->hide();
    }
    ++index_;
    ShowNext();
  }

  void Fail(const QString& name, const char* why) {
    std::fprintf(stderr, "bilvox: screenshot %s: %s\n", name.toLocal8Bit().constData(), why);
    failed_ = true;
  }

  TProgram& program_;
  QString folder_;
  size_t index_ = 0;
  QPointer<QWidget> current_;
  int waited_ = 0;
  bool failed_ = false;
};

// The main window on each of its tabs, the settings window on each page, the currency window,
// the information window with its hint on the goods list, and the about window.
QWidget* MainOn(TProgram& program, TfrmMain::Page page) {
  program.frmMain().ShowPage(page);
  return &program.frmMain();
}

QWidget* SettingsOn(TProgram& program, TfrmSettings::Page page) {
  program.frmSettings().ShowNonModal(page);
  return &program.frmSettings();
}

using Page = TfrmMain::Page;
using SettingsPage = TfrmSettings::Page;

const ScreenshotView kViews[] = {
    {"main-dokument", [](TProgram& p) { return MainOn(p, Page::Dokument); }},
    {"main-sprzedawca", [](TProgram& p) { return MainOn(p, Page::Sprzedawca); }},
    {"main-nabywca", [](TProgram& p) { return MainOn(p, Page::Nabywca); }},
    {"main-towary", [](TProgram& p) { return MainOn(p, Page::Towary); }},
    {"main-platnosc", [](TProgram& p) { return MainOn(p, Page::Platnosc); }},
    {"main-podpisy", [](TProgram& p) { return MainOn(p, Page::Podpisy); }},
    {"settings-general", [](TProgram& p) { return SettingsOn(p, SettingsPage::General); }},
    {"settings-view", [](TProgram& p) { return SettingsOn(p, SettingsPage::View); }},
    {"settings-numbering", [](TProgram& p) { return SettingsOn(p, SettingsPage::AutoNumbering); }},
    {"settings-lists", [](TProgram& p) { return SettingsOn(p, SettingsPage::Lists); }},
    {"currency",
     [](TProgram& p) -> QWidget* {
       p.frmMain().ShowPage(Page::Dokument);
       p.frmWaluta().ShowNonModal("EUR", Currency::FromRaw(43012));
       return &p.frmWaluta();
     }},
    {"info",
     [](TProgram& p) -> QWidget* {
       p.frmInfo().ShowTopic(TfrmInfo::kTopicGoods, true);
       return &p.frmInfo();
     }},
    {"about",
     [](TProgram& p) -> QWidget* {
       CentreOver(&p.AboutBox(), &p.frmMain());
       p.AboutBox().show();
       return &p.AboutBox();
     }},
};

}  // namespace

ScreenshotView::ScreenshotView(const char* name, ScreenshotFn show) {
  Views().push_back({QString::fromUtf8(name), std::move(show)});
}

void WhenPagePainted(TProgram& program, std::function<void()> then) {
  new PaintWatch(program.frmMain().Preview(), std::move(then));
}

void TakeScreenshots(TProgram& program, const QString& folder) {
  QDir().mkpath(folder);
  auto* walker = new Walker(program, folder);
  WhenPagePainted(program, [walker] { walker->ShowNext(); });
}

}  // namespace bilvox
