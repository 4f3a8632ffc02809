#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace vb::reports {

struct ReportFont {
    QString family;
    double size = 9; // points
    bool bold = false;
    bool italic = false;

    bool operator==(const ReportFont&) const = default;
};

enum class ControlKind { Label, TextBox, Function, Line, Image };
enum class TextAlign { Left, Center, Right };

// One control of a section; positions and sizes in millimetres from the section's corner.
struct Control {
    QString name;
    ControlKind kind = ControlKind::Label;
    double x = 0, y = 0, w = 0, h = 0;
    bool visible = true;
    ReportFont font;
    TextAlign align = TextAlign::Left;
    bool canGrow = false; // text kinds: a longer text wraps and the box grows downward
    QString text;        // label
    QString field;       // textBox, function
    QString member;      // textBox, function: dotted level path; empty = the default level
    QString format;      // textBox, function
    QString function;    // function: "sum" or "count"
    double lineWidth = 0.3;
    int pictureAlignment = 4;
    int sizeMode = 2;
};

enum class SectionRole { ReportHeader, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter, ReportFooter };

struct Section {
    QString name;
    SectionRole role = SectionRole::Detail;
    double height = 0;
    QString level; // group and detail sections: dotted path of the command level
    bool newPageAfter = false;
    std::vector<Control> controls;
};

// A report design: a banded layout bound to one named command.
struct ReportDesign {
    QString report;
    QString caption;
    QString dataMember;
    bool landscape = false;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;
    ReportFont font;
    std::vector<Section> sections;

    double pageWidth() const { return landscape ? 297 : 210; }
    double pageHeight() const { return landscape ? 210 : 297; }
    // The one section with |role| (header, footer, detail); nullptr when the design has none.
    const Section* section(SectionRole role) const;
    // The dotted path of the detail's level (the data member when the detail names none).
    QString detailLevel() const;
    const Control* control(const QString& name) const;
};

// Reads a design from its JSON text and checks it against the data environment's commands.
// Throws vb::Error naming the fault.
ReportDesign parseDesign(const QByteArray& json, const QString& origin);
// The design of the report |name|, found as <name>.json anywhere under ":/reports/".
// Throws vb::Error when there is none or it is not a valid design.
ReportDesign loadDesign(const QString& name);
// The resource paths of every design compiled into the program.
QStringList designResources();

} // namespace vb::reports
