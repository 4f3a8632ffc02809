#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

#include <QHash>
#include <QStringList>

#include <functional>
#include <optional>

class QCalendarWidget;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace vb {

class ArchiveJobs;

namespace lists {
class ListLinesModel;
struct ExportResult;
}

// "Visualizza/Stampa": lists of members and fee payments, the member reports and the
// spreadsheet exports. The rules live in vb_lists; this window reads the boxes, calls
// them and shows the result.
class FormVisualizzaStampa : public Form {
    Q_OBJECT
public:
    explicit FormVisualizzaStampa(QWidget* parent = nullptr);
    ~FormVisualizzaStampa() override;

    // The lines List1 shows, heading first (for tests).
    QStringList listLines() const;
    // Processes events until the lists, marks and reports asked for have run (for tests).
    void waitForJobs() const;

protected:
    void Form_Load() override;
    bool Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option5_Click();
    void Option6_Click();
    void Stampa_Click();
    void ComStampaSoci_Click();
    void CmdSociDecaduti_Click();
    void ExportExcel_Click();
    void ComExpTXT_Click();
    void Combo_Click();
    void TextDataDal_Click();
    void TextDataAl_Click();
    void Calendar1_Click();
    void ComExitFrame_Click();

    // The window's connection; throws when it could not be opened at load.
    db::Database& archive();
    // The year in TextAnno, or nothing after telling the user it is not one.
    std::optional<int> yearOrWarn();
    void showList(const QString& header, const QStringList& lines);
    void setTotalVisible(bool visible);
    void showMembersReport(const QString& report, const QHash<QString, QString>& labels = {},
                           const QStringList& hidden = {});
    // Runs |mark| (if any) as a job after those asked for before, then shows |report|,
    // after the visual progress bar when |runBar|.
    void markAndShow(std::function<void(db::Database&)> mark, const QString& report,
                     const QHash<QString, QString>& labels = {}, const QStringList& hidden = {}, bool runBar = true);
    // Runs |write| (an export) as a job after those asked for before, then says where its
    // file went, that there was nothing to write, or why it failed.
    void runExport(std::function<lists::ExportResult(db::Database&)> write);
    void exportDone(const QString& path, int rows);

    ArchiveConnection m_conn;
    // The lists and marks run off the window's thread, one after the other.
    ArchiveJobs* m_jobs = nullptr;
    bool m_calendarForDal = false;
    bool m_calendarForAl = false;
    // The year of the fee list on show, which ExportExcel writes out.
    std::optional<int> m_listedYear;

    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;
    QLineEdit* TextAnno = nullptr;
    QLineEdit* TextDataDal = nullptr;
    QLineEdit* TextDataAl = nullptr;
    QCalendarWidget* Calendar1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* Label3 = nullptr;
    QTableView* List1 = nullptr;
    lists::ListLinesModel* m_lines = nullptr;
    QLabel* LabelTotaleEuro = nullptr;
    QLineEdit* Text_TotaleEuro = nullptr;
    QFrame* Line4 = nullptr;
    QPushButton* Stampa = nullptr;
    QPushButton* ExportExcel = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QGroupBox* Frame1 = nullptr;
};

} // namespace vb
