// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// tapsy-view [DIR]: the transition view with the pictures of a folder (by default the two
// built-in test pictures), a new transition with a random effect every 2 s, and controls to
// try every property by hand.
#include "common/testpictures.h"
#include "platform/graphics/bitmap.h"
#include "transition/transitionview.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<TPicture>> LoadFolder(const QString& folder)
{
    std::vector<std::unique_ptr<TPicture>> pictures;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        auto picture = std::make_unique<TPicture>();
        try {
            picture->LoadFromFile(dir.filePath(name).toStdString());
        } catch (const Exception& error) {
            std::fprintf(stderr, "tapsy-view: skipping %s: %s\n", qPrintable(name), error.what());
            continue;
        }
        if (picture->Graphic() && !picture->Graphic()->Empty())
            pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::vector<std::unique_ptr<TPicture>> TestPictures()
{
    std::vector<std::unique_ptr<TPicture>> pictures;
    for (int which : { 0, 1 }) {
        auto bitmap = std::make_unique<TBitmap>(640, 480);
        DrawTestPicture(bitmap->Bitmap(), which);
        auto picture = std::make_unique<TPicture>();
        picture->SetGraphic(std::move(bitmap));
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

QCheckBox* Check(const QString& text, bool value)
{
    auto* box = new QCheckBox(text);
    box->setChecked(value);
    return box;
}

QSpinBox* Spin(int min, int max, int value)
{
    auto* spin = new QSpinBox;
    spin->setRange(min, max);
    spin->setValue(value);
    return spin;
}

TColor ToTColor(const QColor& c) { return RGB(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())); }

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(QLatin1String("-")))) {
        std::fprintf(stderr, "usage: tapsy-view [DIR]\n");
        return 2;
    }
    auto pictures = args.size() == 2 ? LoadFolder(args[1]) : TestPictures();
    if (pictures.empty()) {
        std::fprintf(stderr, "tapsy-view: no picture could be read in %s\n", qPrintable(args[1]));
        return 2;
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("tapsy-view"));
    auto* layout = new QHBoxLayout(&window);
    auto* controls = new QFormLayout;
    auto* view = new TTransitionView(&window);
    view->setMinimumSize(320, 240);
    view->SetColor(RGB(0, 0, 0));
    view->SetCenter(true);
    view->SetProportional(true);
    layout->addLayout(controls);
    layout->addWidget(view, 1);

    auto* style = new QComboBox;
    style->addItem(QStringLiteral("(random)"));
    QStringList names;
    TCustomTransitionView::GetStyleNames(names);
    style->addItems(names);
    auto* step = Spin(1, 100, view->Step());
    auto* delay = Spin(0, 1000, view->Delay());
    auto* reverse = Check(QStringLiteral("Reverse"), false);
    auto* exact = Check(QStringLiteral("Exact timing"), false);
    auto* threaded = Check(QStringLiteral("Threaded"), true);
    auto* manual = Check(QStringLiteral("Manual"), false);
    auto* progress = new QSlider(Qt::Horizontal);
    progress->setRange(0, 100);
    auto* bgMode = new QComboBox;
    bgMode->addItems({ "None", "Tiled", "Stretched", "Centered" });
    bgMode->setCurrentIndex(bmTiled);
    auto* bgPicture = new QPushButton(QStringLiteral("Background picture…"));
    auto* frameWidth = Spin(0, 100, 0);
    auto* frameColor = new QPushButton(QStringLiteral("Frame colour…"));
    auto* center = Check(QStringLiteral("Center"), true);
    auto* stretch = Check(QStringLiteral("Stretch"), false);
    auto* proportional = Check(QStringLiteral("Proportional"), true);
    auto* status = new QLabel;

    controls->addRow(QStringLiteral("Style"), style);
    controls->addRow(QStringLiteral("Step"), step);
    controls->addRow(QStringLiteral("Delay (ms)"), delay);
    controls->addRow(reverse);
    controls->addRow(exact);
    controls->addRow(threaded);
    controls->addRow(manual);
    controls->addRow(QStringLiteral("Progress"), progress);
    controls->addRow(QStringLiteral("Background"), bgMode);
    controls->addRow(bgPicture);
    controls->addRow(QStringLiteral("Frame width"), frameWidth);
    controls->addRow(frameColor);
    controls->addRow(center);
    controls->addRow(stretch);
    controls->addRow(proportional);
    controls->addRow(status);

    QObject::connect(step, &QSpinBox::valueChanged, [=](int v) { view->SetStep(uint16_t(v)); });
    QObject::connect(delay, &QSpinBox::valueChanged, [=](int v) { view->SetDelay(uint16_t(v)); });
    QObject::connect(reverse, &QCheckBox::toggled, [=](bool on) { view->SetReverse(on); });
    QObject::connect(exact, &QCheckBox::toggled, [=](bool on) { view->SetExactTiming(on); });
    QObject::connect(threaded, &QCheckBox::toggled, [=](bool on) { view->SetThreaded(on); });
    QObject::connect(manual, &QCheckBox::toggled, [=](bool on) { view->SetManual(on); });
    QObject::connect(progress, &QSlider::valueChanged, [=](int v) { view->SetProgress(v); });
    QObject::connect(bgMode, &QComboBox::currentIndexChanged,
        [=](int i) { view->SetBgMode(static_cast<TBackgroundMode>(i)); });
    QObject::connect(bgPicture, &QPushButton::clicked, [=, &window] {
        const QString file = QFileDialog::getOpenFileName(&window, QStringLiteral("Background picture"));
        if (file.isEmpty())
            return;
        try {
            view->BgPicture().LoadFromFile(file.toStdString());
        } catch (const Exception& error) {
            status->setText(QString::fromUtf8(error.what()));
        }
    });
    QObject::connect(frameWidth, &QSpinBox::valueChanged, [=](int v) { view->SetFrameWidth(v); });
    QObject::connect(frameColor, &QPushButton::clicked, [=, &window] {
        const QColor c = QColorDialog::getColor(Qt::gray, &window);
        if (c.isValid())
            view->SetFrameColor(ToTColor(c));
    });
    QObject::connect(center, &QCheckBox::toggled, [=](bool on) { view->SetCenter(on); });
    QObject::connect(stretch, &QCheckBox::toggled, [=](bool on) { view->SetStretch(on); });
    QObject::connect(proportional, &QCheckBox::toggled, [=](bool on) { view->SetProportional(on); });
    view->OnProgress = [=](QObject*) {
        const QSignalBlocker quiet(progress);
        progress->setValue(view->Progress());
    };

    size_t next = 0;
    auto showNext = [&] {
        // In manual mode the person drives the transition with the slider.
        if (view->Manual() && view->Busy())
            return;
        if (view->Busy())
            view->Stop();
        view->SetPicture(*pictures[next]);
        next = (next + 1) % pictures.size();
        const int chosen = style->currentIndex() == 0
            ? 1 + int(QRandomGenerator::global()->bounded(172))
            : style->currentIndex();
        view->SetStyle(chosen);
        status->setText(QStringLiteral("%1: %2").arg(chosen).arg(view->StyleName()));
        view->Execute();
    };
    QTimer cycle;
    QObject::connect(&cycle, &QTimer::timeout, showNext);
    cycle.start(2000);
    window.resize(1000, 640);
    window.show();
    QTimer::singleShot(0, showNext);
    return app.exec();
}
