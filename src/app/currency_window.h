// TfrmWaluta ("Waluta obca"): the document's currency and exchange rate, with the download
// of the day's average rate from the national bank's tables.
//
// The download runs on a thread of its own, so the window stays responsive: its progress
// shows in `lblStatus`, the button is disabled until it ends, and "Anuluj" (or any other
// way of closing the window) stops it at once.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "currency/nbp_rates.h"
#include "document/money.h"

namespace bilvox {

class TProgram;

// A label that opens a web page when clicked.
class TLinkLabel : public QLabel {
 public:
  TLinkLabel(QWidget* parent, const QString& name, const QString& text);
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class TfrmWaluta : public QDialog {
 public:
  // Opens a web page in the user's browser.
  using UrlOpener = std::function<void(const QUrl& url)>;

  explicit TfrmWaluta(TProgram& program);
  ~TfrmWaluta() override;

  // Shows the window modally on the given code (Windows-1250) and rate. On OK returns true
  // with the chosen ones in their place; on Cancel returns false and leaves them alone.
  bool Execute(std::string& code, Currency& rate);
  // Shows the window on a code and rate without waiting for it (for pictures of the window).
  void ShowNonModal(const std::string& code, Currency rate);

  // Replaces the browser (tests) and the bank's server (tests; by default the one of
  // BILVOX_NBP_URL or the bank's own, read at each download).
  void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }
  void SetRateServer(std::optional<RateServer> server) { server_ = std::move(server); }

  // Whether a download is running.
  bool Downloading() const { return download_.joinable(); }

  QGroupBox* GroupBox12;
  QComboBox* cbxWaluta;
  QGroupBox* GroupBox1;
  QLineEdit* edtKurs;
  QGroupBox* GroupBox2;
  TLinkLabel* lblURL1;
  TLinkLabel* lblURL2;
  QPushButton* btnWstawKurs;
  QLabel* lblStatus;
  QPushButton* btnOk;
  QPushButton* btnCancel;

 protected:
  void showEvent(QShowEvent* event) override;
  // Every way of closing the window ends here: a running download is stopped.
  void done(int result) override;

 private:
  // How a download ended, handed from its thread to the window's.
  struct Outcome {
    std::optional<Currency> rate;     // the rate found
    std::string error;                // otherwise the message (Windows-1250)
    std::optional<Currency> rateBox;  // what the rate box shows after a failure
    bool cancelled = false;
  };

  void PutValues(const std::string& code, Currency rate);
  // The rate box and the button are open exactly when the code is not "PLN".
  void cbxWalutaChange();
  void btnWstawKursClick();
  void DownloadFinished(unsigned id, const Outcome& outcome);
  // Stops a running download and waits for its thread; the window is as before it began.
  void StopDownload();
  void EndDownload();

  TProgram& program_;
  UrlOpener openUrl_;
  std::optional<RateServer> server_;
  // Numbers the downloads, so that news from a stopped one is ignored.
  unsigned downloadId_ = 0;
  std::jthread download_;
};

}  // namespace bilvox
