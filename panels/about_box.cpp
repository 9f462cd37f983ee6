#include "panels/about_box.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <random>

#include "panels/tapwren_logo.h"
#include "widgets/contrast.h"
#include "widgets/design_font.h"
#include "widgets/screen_centre.h"
#include "widgets/window_functions.h"

namespace {

constexpr QSize kClient_Size(622, 411);

const char* const kQuotes[] = {
    "I hope this program makes your work a little simpler, your play a little better, or "
    "your day a bit easier.",
    "If you have any comments, suggestions, improvements, or feedback, please email me.",
    "Useful software needn't take up Gigabytes of disk space, and my catalog of software "
    "proves this.",
};

QLabel* label(QWidget* parent, const char* name, const QRect& bounds, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(bounds);
  return l;
}

QLabel* link_label(QWidget* parent, const char* name, const QRect& bounds) {
  QLabel* l = label(parent, name, bounds, QString::fromLatin1(name));
  QFont font = design_font(QStringLiteral("Times New Roman"), 16, true);
  font.setUnderline(true);
  l->setFont(font);
  // Blue, or a lighter blue where blue would not read on the dialog (a dark theme).
  QPalette palette = l->palette();
  palette.setColor(QPalette::WindowText, readable_text(Qt::blue, palette.color(QPalette::Window)));
  l->setPalette(palette);
  return l;
}

// The banner across the top: the product name on a blue band, with the
// letters' Morse code trailing after it.
QPixmap banner_picture(QSize size) {
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, size.width(), 0);
  band.setColorAt(0, QColor(0x1F, 0x3A, 0x93));
  band.setColorAt(1, QColor(0x8F, 0xA8, 0xD8));
  p.fillRect(pixmap.rect(), band);
  QFont title = design_font(QStringLiteral("Times New Roman"), 40, true);
  title.setItalic(true);
  p.setFont(title);
  p.setPen(Qt::white);
  const QRect text_area(18, 0, size.width() - 18, size.height());
  QRect used;
  p.drawText(text_area, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tapwren"), &used);
  // "TAPWREN" in Morse code.
  const QString code = QStringLiteral("- .- .--. .-- .-. . -.");
  int x = used.right() + 24;
  const int y = size.height() / 2;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xF5, 0xD0, 0x60));
  for (QChar c : code) {
    if (c == u'.') {
      p.drawEllipse(QRectF(x, y - 4, 8, 8));
      x += 14;
    } else if (c == u'-') {
      p.drawRoundedRect(QRectF(x, y - 4, 24, 8), 4, 4);
      x += 30;
    } else {
      x += 12;
    }
  }
  return pixmap;
}

}  // namespace

QString free_memory_reading(const Memory_Status& s) {
  const double free = static_cast<double>(s.available_physical >> 10) +
                      static_cast<double>(s.available_page_file) / 1024.0;
  const double total =
      static_cast<double>(s.total_physical >> 10) + static_cast<double>(s.total_page_file) / 1024.0;
  // A meter that could not read the system gives zeros; a share of nothing
  // is no number.
  if (!(total > 0)) return QStringLiteral("n/a");
  // Halves round away from zero.
  const double percent = std::floor(free / total * 100.0 + 0.5);
  return QString::number(static_cast<qint64>(percent)) + u'%';
}

TAboutBox::TAboutBox(Memory_Meter& memory_meter, Processes& processes, Random_Index random_index,
                     QWidget* parent)
    : QDialog(parent),
      memory_meter_(memory_meter),
      processes_(processes),
      random_index_(std::move(random_index)) {
  // The seeding of the form's creation: a generator of its own, seeded from
  // the system, unless the caller supplies the numbers.
  if (!random_index_) {
    random_index_ = [engine = std::mt19937(std::random_device{}())](int count) mutable {
      return std::uniform_int_distribution<int>(0, count - 1)(engine);
    };
  }

  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  // A dialog frame with a title but no buttons on it: no close box. On X11
  // the window manager is also asked for no such functions when the dialog
  // is shown, since Qt's hints give every function to a dialog without them.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(design_font(QStringLiteral("System"), 13));
  setFixedSize(kClient_Size);

  GroupBox2 = new QGroupBox(this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(4, 0, 614, 80);
  Pelko_Logo_Banner_Image = label(GroupBox2, "Pelko_Logo_Banner_Image", {1, 10, 611, 67}, {});
  Pelko_Logo_Banner_Image->setPixmap(banner_picture({611, 67}));

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(4, 82, 614, 325);

  Bevel1 = new QFrame(GroupBox1);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setGeometry(8, 14, 181, 173);
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  Pelko_Logo_GIFImage = new Animated_Gif_Image(GroupBox1);
  Pelko_Logo_GIFImage->setObjectName(QStringLiteral("Pelko_Logo_GIFImage"));
  Pelko_Logo_GIFImage->setGeometry(12, 18, 173, 165);

  Quote_From_Pelko_Label =
      label(GroupBox1, "Quote_From_Pelko_Label", {8, 194, 181, 119}, "Quote_From_Pelko_Label");
  Quote_From_Pelko_Label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Quote_From_Pelko_Label->setWordWrap(true);

  Product_Name_Label = label(GroupBox1, "Product_Name_Label", {205, 16, 400, 24}, "Product Name");
  QFont bold = font();
  bold.setBold(true);
  Product_Name_Label->setFont(bold);
  Developed_Using_Label =
      label(GroupBox1, "Developed_Using_Label", {205, 46, 400, 20}, "Developed_Using_Label");
  Comments_Label = label(GroupBox1, "Comments_Label", {205, 70, 400, 20}, "Comments_Label");
  WEB_Page_Label = label(GroupBox1, "WEB_Page_Label", {205, 100, 400, 20}, "WEB_Page_Label");

  Email_Button = new QPushButton(QStringLiteral("Email_Button"), GroupBox1);
  Email_Button->setObjectName(QStringLiteral("Email_Button"));
  Email_Button->setGeometry(205, 128, 320, 26);
  Email_Button->setAutoDefault(false);
  WEB_Button = new QPushButton(QStringLiteral("WEB_Button"), GroupBox1);
  WEB_Button->setObjectName(QStringLiteral("WEB_Button"));
  WEB_Button->setGeometry(205, 160, 320, 26);
  WEB_Button->setAutoDefault(false);
  Email_Address_Label = link_label(GroupBox1, "Email_Address_Label", {205, 0, 320, 26});
  WEB_Address_Label = link_label(GroupBox1, "WEB_Address_Label", {205, 0, 320, 26});

  Label3 = label(GroupBox1, "Label3", {205, 214, 180, 20}, "Free System Resources :");
  Free_Resources_Label = label(GroupBox1, "Free_Resources_Label", {388, 214, 80, 20}, "Free %");

  OKButton = new QPushButton(QStringLiteral("OK"), GroupBox1);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setGeometry(355, 262, 100, 48);
  OKButton->setFont(design_font(QStringLiteral("Times New Roman"), 19, true));
  OKButton->setDefault(true);

  Quotes_From_Pelko_ListBox = new QListWidget(this);
  Quotes_From_Pelko_ListBox->setObjectName(QStringLiteral("Quotes_From_Pelko_ListBox"));
  for (const char* quote : kQuotes) Quotes_From_Pelko_ListBox->addItem(QString::fromUtf8(quote));
  Quotes_From_Pelko_ListBox->hide();

  Quote_Change_Timer = new QTimer(this);
  Quote_Change_Timer->setObjectName(QStringLiteral("Quote_Change_Timer"));
  Quote_Change_Timer->setInterval(10000);
  Free_Resources_Timer = new QTimer(this);
  Free_Resources_Timer->setObjectName(QStringLiteral("Free_Resources_Timer"));
  Free_Resources_Timer->setInterval(500);

  connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
  connect(Email_Button, &QPushButton::clicked, this, &TAboutBox::Email_ButtonClick);
  connect(WEB_Button, &QPushButton::clicked, this, &TAboutBox::WEB_ButtonClick);
  connect(Quote_Change_Timer, &QTimer::timeout, this, &TAboutBox::Quote_Change_TimerTimer);
  connect(Free_Resources_Timer, &QTimer::timeout, this, &TAboutBox::Free_Resources_TimerTimer);
  for (QWidget* w :
       {static_cast<QWidget*>(Email_Address_Label), static_cast<QWidget*>(WEB_Address_Label),
        static_cast<QWidget*>(Pelko_Logo_GIFImage),
        static_cast<QWidget*>(Pelko_Logo_Banner_Image)}) {
    w->installEventFilter(this);
  }
}

int TAboutBox::show_modal() {
  // An explicit move also stops QDialog from centring itself over its parent.
  move_to_screen_centre(*this);
  return exec();
}

void TAboutBox::set_texts(const About_Texts& texts) {
  setWindowTitle(texts.caption);
  Product_Name_Label->setText(texts.product_name);
  Developed_Using_Label->setText(texts.developed_using);
  Comments_Label->setText(texts.comments);
  WEB_Page_Label->setText(texts.web_page);
  Email_Button->setText(texts.email_address);
  WEB_Button->setText(texts.web_address);
}

void TAboutBox::FormActivate() {
  // The logo's frames are most of what the dialog would hold, and many runs
  // never show it: they are decoded, in well under a millisecond, when it is
  // first shown.
  if (Pelko_Logo_GIFImage->frame_count() == 0) Pelko_Logo_GIFImage->load(tapwren_logo_gif());
  Quote_Change_Timer->start();
  Free_Resources_Timer->start();
  Pelko_Logo_GIFImage->start_animation();

  // Both readings at once, not one period later.
  Quote_Change_TimerTimer();
  Free_Resources_TimerTimer();

  Email_Button->setToolTip(QStringLiteral("Click to send an E-Mail to Pelko."));
  WEB_Button->setToolTip(QStringLiteral("Click to visit Pelko's WEB Page."));

  // The links take the hidden buttons' places and texts.
  Email_Button->hide();
  WEB_Button->hide();
  Email_Address_Label->setToolTip(Email_Button->toolTip());
  Email_Address_Label->move(Email_Address_Label->x(), Email_Button->y());
  Email_Address_Label->setText(Email_Button->text());
  WEB_Address_Label->setToolTip(WEB_Button->toolTip());
  WEB_Address_Label->move(WEB_Address_Label->x(), WEB_Button->y());
  WEB_Address_Label->setText(WEB_Button->text());

  for (QWidget* w :
       {static_cast<QWidget*>(Email_Address_Label), static_cast<QWidget*>(WEB_Address_Label),
        static_cast<QWidget*>(Pelko_Logo_GIFImage), static_cast<QWidget*>(Pelko_Logo_Banner_Image),
        static_cast<QWidget*>(Bevel1)}) {
    w->setCursor(Qt::PointingHandCursor);
  }
  Bevel1->lower();
}

// Closing hides the dialog, which stops its timers and its logo.
void TAboutBox::OKButtonClick() { accept(); }

void TAboutBox::Quote_Change_TimerTimer() {
  const int count = Quotes_From_Pelko_ListBox->count();
  if (count == 0) return;
  const int index = random_index_(count);
  if (index < 0 || index >= count) return;
  Quote_From_Pelko_Label->setText(Quotes_From_Pelko_ListBox->item(index)->text());
}

void TAboutBox::Free_Resources_TimerTimer() {
  Free_Resources_Label->setText(free_memory_reading(memory_meter_.read()));
}

void TAboutBox::Email_ButtonClick() {
  const QString address = Email_Button->text();
  if (address.isEmpty()) return;
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  const QString target = u"mailto:"_qs + address + u"?subject=Shareware: "_qs + program;
  open_link(target.toStdString());
}

void TAboutBox::WEB_ButtonClick() {
  const QString address = WEB_Button->text();
  if (address.isEmpty()) return;
  open_link(address.toStdString());
}

void TAboutBox::set_link_failure_report(std::function<void(const std::string& text)> report) {
  link_failure_report_ = std::move(report);
}

void TAboutBox::open_link(const std::string& target) {
  const auto report = link_failure_report_;
  const bool started = processes_.open_url(target, [report, target](const std::string& reason) {
    if (report) report("The address " + target + " could not be opened: " + reason + ".");
  });
  const std::string opener = processes_.url_opener_name();
  if (!started && report && !opener.empty()) report(opener + " could not be found.");
}

void TAboutBox::showEvent(QShowEvent* event) {
  offer_only_moving(*this);
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormActivate();
}

void TAboutBox::hideEvent(QHideEvent* event) {
  // However it was hidden, nothing keeps ticking behind a closed dialog.
  if (!event->spontaneous()) {
    Quote_Change_Timer->stop();
    Free_Resources_Timer->stop();
    Pelko_Logo_GIFImage->stop_animation();
  }
  QDialog::hideEvent(event);
}

void TAboutBox::closeEvent(QCloseEvent* event) {
  // The window manager's close (there is no close box, but there are
  // shortcuts for it) does not close this dialog.
  if (event->spontaneous()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    OKButtonClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (mouse->button() == Qt::LeftButton && widget &&
        widget->rect().contains(mouse->position().toPoint())) {
      if (watched == Email_Address_Label) {
        Email_ButtonClick();
      } else {
        WEB_ButtonClick();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
