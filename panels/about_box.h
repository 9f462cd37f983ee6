#pragma once
// The About dialog: product name and information, an animated logo, a message
// that changes every ten seconds, a live free-memory reading, and links that
// open the maker's e-mail address and web page. It has no close box and
// closes only by its OK button, Enter or Escape; while it is hidden its timers
// and the logo are stopped.

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "panels/animated_gif_image.h"
#include "platform/memory_status.h"
#include "platform/processes.h"

// The texts the start-up captions step fills in.
struct About_Texts {
  QString caption;
  QString product_name;
  QString developed_using;
  QString comments;
  QString web_page;
  QString email_address;
  QString web_address;
};

class TAboutBox final : public QDialog {
  Q_OBJECT

 public:
  // Picks a message index from 0 to count - 1.
  using Random_Index = std::function<int(int count)>;

  // Without a random source the dialog uses its own generator, seeded from
  // the system. The meter and processes must outlive the dialog.
  TAboutBox(Memory_Meter& memory_meter, Processes& processes, Random_Index random_index = {},
            QWidget* parent = nullptr);

  // Centres the dialog on the screen and runs it modally; returns the
  // dialog's result (Accepted when closed).
  int show_modal();

  void set_texts(const About_Texts& texts);

  // Where a link that could not be opened is told, in a box's words; called
  // from any thread. Without one, such a link goes unreported.
  void set_link_failure_report(std::function<void(const std::string& text)> report);

  // The dialog's events.
  void FormActivate();
  void OKButtonClick();
  void Quote_Change_TimerTimer();
  void Free_Resources_TimerTimer();
  void Email_ButtonClick();
  void WEB_ButtonClick();

  QGroupBox* GroupBox2;
  QLabel* Pelko_Logo_Banner_Image;
  QGroupBox* GroupBox1;
  QFrame* Bevel1;
  Animated_Gif_Image* Pelko_Logo_GIFImage;
  QLabel* Product_Name_Label;
  QLabel* Developed_Using_Label;
  QLabel* Comments_Label;
  QLabel* WEB_Page_Label;
  QLabel* Quote_From_Pelko_Label;
  QLabel* Label3;
  QLabel* Free_Resources_Label;
  QLabel* Email_Address_Label;
  QLabel* WEB_Address_Label;
  QPushButton* OKButton;
  QPushButton* Email_Button;
  QPushButton* WEB_Button;
  QListWidget* Quotes_From_Pelko_ListBox;
  QTimer* Quote_Change_Timer;
  QTimer* Free_Resources_Timer;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void open_link(const std::string& target);

  Memory_Meter& memory_meter_;
  Processes& processes_;
  Random_Index random_index_;
  std::function<void(const std::string& text)> link_failure_report_;
};

// The free-memory reading: free over total memory, physical and page file
// together, as a whole percentage ("43%"); "n/a" when nothing is known.
QString free_memory_reading(const Memory_Status& status);
