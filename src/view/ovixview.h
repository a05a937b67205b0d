#pragma once

#include "chart/chart.h"
#include "dialogs/compatibilitydlg.h"
#include "dialogs/peopledlg.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class CAppData;
class COvixDoc;
class QHelpEvent;
class QPrintDialog;
class QPrinter;

// The chart view: the main frame's central widget. It owns the chart and
// the two dialogs its commands open, answers the chart commands, turns mouse
// clicks into a selected day and drives printing and print preview.
class COvixView : public QWidget {
    Q_OBJECT
public:
    COvixView(CAppData& app, COvixDoc& doc, QPrinter& printer, QWidget* parent = nullptr);
    ~COvixView() override;

    // Once, after the document's new-document step and before the first paint.
    void OnInitialUpdate();

    void OnPeople();
    void OnDisplay();
    void OnCompatibility();
    void OnPreviousMonth();
    void OnNextMonth();
    void OnFilePrint();
    void OnFilePrintPreview();

    // Prints the chart as one page on `printer` without asking. False when
    // the printer could not be started or reported an error; the user has
    // then been told.
    bool PrintChart(QPrinter& printer);

    CChart& Chart() { return m_chart; }
    const CChart& Chart() const { return m_chart; }
    CCompatibilityDlg& CompatibilityDialog() { return m_compatDlg; }

    // The print preview's page count kept in the profile: 0 when never
    // chosen, 1 for one page, 2 for two facing pages.
    int32_t PreviewPages() const { return m_previewPages; }
    void SetPreviewPages(int32_t pages) { m_previewPages = pages; }

    // Runs once, right after the first paint has finished.
    std::function<void()> m_onFirstPaint;

    // Keyboard days: the previous and next day across the month's ends, and
    // today in today's month.
    void OnPreviousDay();
    void OnNextDay();
    void OnToday();
    // Puts the chart's picture, as the window shows it, and the readout on
    // the clipboard.
    void OnCopy();

    // The selected day's readout, empty when the month lacks that day.
    const QString& Readout() const { return m_readout; }
    // The readout of day `day` of the displayed month.
    QString ReadoutOf(int32_t day);

signals:
    // The selected day's readout changed: another day, month or person.
    void ReadoutChanged(const QString& readout);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The chart draws no focus mark, so gaining or losing the focus (to a
    // dialog, say) repaints nothing.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}
    bool event(QEvent* event) override;

private:
    // The print job's name: the person and the displayed month.
    QString JobName() const;
    void OfferFileName(QPrintDialog& dialog) const;
    void PrintPageOn(QPrinter& printer, QPainter& painter);
    void UpdateClientRect();
    // Recomputes the selected day's readout and tells the status bar and
    // screen readers when it changed.
    void RefreshReadout();
    void ShowDayTip(const QHelpEvent& event);
    void StepDay(void (*step)(CChart&));
    // Asks for the repaint of a keyboard selection made from `day` of
    // `month` in `year`.
    void UpdateSelection(int32_t year, int32_t month, int32_t day);

    QPrinter& m_printer;
    CChart m_chart;
    CPeopleDlg m_peopleDlg;
    CCompatibilityDlg m_compatDlg;
    int32_t m_previewPages = 0;
    bool m_painted = false;
    QString m_readout;
};
