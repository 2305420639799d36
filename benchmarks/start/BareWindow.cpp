// The yardstick of the start benchmark: a plain Qt Widgets program with the
// widgets of the program's main window (a tab bar over three pages, 19 combo
// boxes of 14 items, 50 labels) and nothing else: no store, no services, no
// layouts as data. The first page shows labels, the last the combo boxes, as
// in the program.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTabBar>
#include <QWidget>
#include <array>

namespace {

constexpr int kLabels = 50;
constexpr int kComboBoxes = 19;
constexpr int kItems = 14;
constexpr int kPages = 3;

void AddLabels(std::array<QWidget*, kPages>& pages) {
  for (int i = 0; i < kLabels; ++i) {
    auto* label = new QLabel(QStringLiteral("Label %1").arg(i), pages[i % 2]);
    label->setGeometry(12 + (i / 25) * 180, 8 + (i % 25) * 16, 170, 16);
  }
}

void AddComboBoxes(QWidget* page) {
  for (int i = 0; i < kComboBoxes; ++i) {
    auto* box = new QComboBox(page);
    for (int item = 0; item < kItems; ++item) box->addItem(QStringLiteral("%1 Hz").arg(60 + item));
    box->setGeometry(200, 8 + i * 21, 100, 20);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.setFixedSize(393, 449);
  auto* bar = new QTabBar(&window);
  for (const char* tab : {"Introduction", "System information", "Settings"}) {
    bar->addTab(QString::fromLatin1(tab));
  }
  bar->setGeometry(0, 0, 393, bar->sizeHint().height());
  std::array<QWidget*, kPages> pages{};
  for (int i = 0; i < kPages; ++i) {
    pages[i] = new QWidget(&window);
    pages[i]->setGeometry(0, bar->height(), 393, 449 - bar->height());
    pages[i]->setVisible(i == 0);
  }
  QObject::connect(bar, &QTabBar::currentChanged, bar, [&pages](int shown) {
    for (int i = 0; i < kPages; ++i) pages[i]->setVisible(i == shown);
  });
  AddLabels(pages);
  AddComboBoxes(pages[2]);
  window.show();
  return QApplication::exec();
}
