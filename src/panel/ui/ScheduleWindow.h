#pragma once

#include "panel/SchedulePasses.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QSpinBox;
class QTreeWidget;

namespace vm {

class Settings;

// The "OP Schedule" window: the day's predicted passes with a check box per
// row, chosen by hand, all at once or by the maximum-elevation threshold,
// and transferred to the day's schedule. Its place, threshold and "after
// now" choice are kept in [OPschd].
class ScheduleWindow final : public QWidget {
    Q_OBJECT
public:
    explicit ScheduleWindow(Settings &settings, QWidget *parent = nullptr);

    void setPasses(std::vector<SchedulePasses::Row> rows, qint64 nowUtcMs);
    const std::vector<SchedulePasses::Row> &passes() const { return m_rows; }
    std::vector<SchedulePasses::Row> checkedPasses() const;
    QTreeWidget *list() const { return m_list; }

    void selectAll();         // "全選択"
    void selectByThreshold(); // "閾値で選択"

signals:
    // "転送(&T)": the checked passes go to the schedule.
    void transferRequested(const std::vector<vm::SchedulePasses::Row> &rows);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void select(bool byThreshold);
    void showHelp();

    Settings &m_settings;
    std::vector<SchedulePasses::Row> m_rows;
    qint64 m_nowMs = 0;
    QTreeWidget *m_list = nullptr;
    QSpinBox *m_threshold = nullptr;
    QCheckBox *m_afterNow = nullptr;
};

} // namespace vm
