// The chart view's commands, painting, mouse selection and printing, on the
// view of a started application.
#include "chart/ovixview.h"
#include "programtestenv.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QtTest>

#include <map>

// Counts the paint events a widget receives from its construction on.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

class OvixViewTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init()
    {
        m_today = std::make_unique<FixedToday>(CDate{2023, 5, 31});
        QVERIFY(Start());
    }

    void cleanup()
    {
        Stop();
        m_today.reset();
    }

    void displayIsNotImplemented()
    {
        MessageRecorder messages;
        View().OnDisplay();
        QCOMPARE(messages.Shown().size(), size_t(1));
        const MessageBox::Request& shown = messages.Shown().front();
        QCOMPARE(shown.caption + ": " + shown.text, QString("Orvina 2.1: Display -> NOT IMPLEMENTED"));
        QVERIFY(shown.buttons == MessageBox::Buttons::Ok && shown.icon == MessageBox::Icon::None);
        QVERIFY(shown.owner == &View());
    }

    void theDialogCommands_data()
    {
        QTest::addColumn<bool>("people");
        QTest::addColumn<bool>("repaints");
        QTest::newRow("People, cancelled") << true << true;
        QTest::newRow("Compatibility") << false << false;
    }

    void theDialogCommands()
    {
        QFETCH(bool, people);
        QFETCH(bool, repaints);
        QTest::qWait(20);
        PaintCounter paints(View());
        bool dialogRan = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialogRan = dialog != nullptr;
            if (dialog)
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        people ? View().OnPeople() : View().OnCompatibility();
        QVERIFY(dialogRan);
        QTest::qWait(50);
        QCOMPARE(paints.Count() > 0, repaints);
    }

    void theBackgroundIsGrey_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("default size") << QSize();
        QTest::newRow("after shrinking") << QSize(300, 200);
    }

    void theBackgroundIsGrey()
    {
        QFETCH(QSize, size);
        if (size.isValid())
            m_app->MainFrame()->resize(size);
        const QImage image = View().grab().toImage();
        QCOMPARE(image.size(), View().size());
        // The month title's band holds nothing at its right end: there the
        // erase shows, on screen always in light grey.
        const QColor grey(192, 192, 192);
        QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), grey);
        QCOMPARE(image.pixelColor(image.width() - 3, image.height() - 3), grey);
    }

    void aClickSelectsTheDayUnderThePress_data()
    {
        QTest::addColumn<int>("pressDay");
        QTest::addColumn<int>("releaseDay");
        QTest::addColumn<int>("selected");
        // Day 0 releases left of the view, day 40 right of it; today is the 31st.
        QTest::newRow("first day") << 1 << 1 << 1;
        QTest::newRow("press on 5, release on 9") << 5 << 9 << 5;
        QTest::newRow("press on 5, release left of the view") << 5 << 0 << 31;
        QTest::newRow("press on 5, release right of the view") << 5 << 40 << 31;
    }

    void aClickSelectsTheDayUnderThePress()
    {
        QFETCH(int, pressDay);
        QFETCH(int, releaseDay);
        QFETCH(int, selected);
        View().repaint();
        const CChart& chart = View().Chart();
        const auto middleOf = [&](int day) { return QPoint(chart.WorldToDeviceX(30 * day - 15), View().height() / 2); };

        QTest::mousePress(&View(), Qt::LeftButton, {}, middleOf(pressDay));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, middleOf(releaseDay));
        QCOMPARE(chart.m_day, selected);
    }

    void printingToAPdfFile_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("printed");
        QTest::newRow("in the working folder") << "chart.pdf" << true;
        QTest::newRow("in a folder that does not exist") << "missing/chart.pdf" << false;
    }

    void printingToAPdfFile()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, printed);
        MessageRecorder messages;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_folder->File(fileName));

        QCOMPARE(View().PrintChart(printer), printed);
        QCOMPARE(View().Chart().m_printing, 0);
        const QByteArray pdf = ReadBytes(m_folder->File(fileName));
        QCOMPARE(pdf.startsWith("%PDF"), printed);
        QCOMPARE(messages.Shown().size(), size_t(printed ? 0 : 1));
        // The job, and so the PDF's Title (UTF-16BE after its byte-order mark), is the person and month.
        QCOMPARE(printer.docName(), QString("New Name - May 2023"));
        QByteArray title("\xFE\xFF");
        for (const QChar c : printer.docName())
            title += QByteArray(1, '\0') + char(c.unicode());
        QCOMPARE(pdf.contains("/Title (" + title + ")"), printed);
    }

    // The print dialog offers a PDF named after the person and the month,
    // whole and with no folder separator inside it, in the folder it chose.
    void thePrintDialogOffersTheJobsName_data()
    {
        QTest::addColumn<QString>("person");
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("offered");
        QTest::newRow("a plain name") << "Ann" << "Ann - December 2026" << "Ann - December 2026.pdf";
        QTest::newRow("dots and a slash") << "J.R. Smith/Jones" << "J.R. Smith/Jones - December 2026"
                                          << "J.R. Smith-Jones - December 2026.pdf";
    }

    void thePrintDialogOffersTheJobsName()
    {
        QFETCH(QString, person);
        QFETCH(QString, job);
        QFETCH(QString, offered);
        m_app->m_names.Clear();
        m_app->m_names.Append(CName(person.toStdString(), "1970", "1", "1"));
        View().Chart().m_year = 2026;
        View().Chart().m_month = 12;
        View().repaint();
        QString shown;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (auto* field = dialog ? dialog->findChild<QLineEdit*>("filename") : nullptr)
                shown = field->text();
            if (dialog)
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        View().OnFilePrint();
        QCOMPARE(QFileInfo(shown).fileName(), offered);
        QCOMPARE(m_app->Printer().docName(), job);
    }

    // The printing state belongs to the preview's own pass: a paint of the
    // window while the preview is open draws the screen's chart, and the
    // window repaints when the preview closes. Pens of width 1 are one pixel
    // of whatever device shows them: the preview of a 600 dpi page, scaled
    // down to the screen, shows the curves in their own colours.
    void thePreviewDrawsItsOwnPass()
    {
        QCOMPARE(m_app->Printer().resolution(), 600);
        const QImage before = View().grab().toImage();
        QImage during;
        QImage page;
        QTimer::singleShot(0, this, [&] {
            QWidget* preview = QApplication::activeModalWidget();
            during = View().grab().toImage();
            if (auto* pages = preview ? preview->findChild<QPrintPreviewWidget*>() : nullptr)
                page = pages->grab().toImage();
            if (preview)
                preview->close();
        });
        View().OnFilePrintPreview();
        QCOMPARE(during, before);
        QCOMPARE(View().Chart().m_printing, 0);
        PaintCounter paints(View());
        QTRY_VERIFY(paints.Count() > 0);
        std::map<QRgb, int> pixels;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x)
                ++pixels[page.pixel(x, y) | 0xFF000000];
        }
        // Emotional, Intellectual, Intuitional and the grey day boundaries.
        for (const QRgb colour : {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 128, 0), qRgb(128, 128, 128)})
            QVERIFY2(pixels[colour] >= 50, qPrintable(QColor(colour).name()));
    }

private:
    COvixView& View() { return m_app->MainFrame()->View(); }

    std::unique_ptr<FixedToday> m_today;
};

QTEST_MAIN(OvixViewTest)
#include "ovixview_test.moc"
