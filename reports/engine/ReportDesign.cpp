#include "reports/engine/ReportDesign.h"

#include "core/Error.h"
#include "data/DataEnvironment.h"
#include "reports/engine/FieldFormat.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>

static void initReportResources() { Q_INIT_RESOURCE(reports); }

namespace vb::reports {

namespace {

[[noreturn]] void fault(const QString& origin, const QString& what)
{
    throw Error(QStringLiteral("Il modello di stampa %1 non è valido: %2").arg(origin, what));
}

ReportFont readFont(const QJsonValue& v, ReportFont base)
{
    const QJsonObject o = v.toObject();
    if (o.contains(QLatin1String("family")))
        base.family = o.value(QLatin1String("family")).toString();
    if (o.contains(QLatin1String("size")))
        base.size = o.value(QLatin1String("size")).toDouble(base.size);
    if (o.contains(QLatin1String("bold")))
        base.bold = o.value(QLatin1String("bold")).toBool();
    if (o.contains(QLatin1String("italic")))
        base.italic = o.value(QLatin1String("italic")).toBool();
    return base;
}

SectionRole readRole(const QString& role, const QString& origin)
{
    static const std::pair<const char*, SectionRole> roles[] = {
        {"reportHeader", SectionRole::ReportHeader}, {"pageHeader", SectionRole::PageHeader},
        {"groupHeader", SectionRole::GroupHeader},   {"detail", SectionRole::Detail},
        {"groupFooter", SectionRole::GroupFooter},   {"pageFooter", SectionRole::PageFooter},
        {"reportFooter", SectionRole::ReportFooter},
    };
    for (const auto& [name, r] : roles)
        if (role == QLatin1String(name))
            return r;
    fault(origin, QStringLiteral("ruolo di sezione sconosciuto \"%1\"").arg(role));
}

ControlKind readKind(const QString& kind, const QString& origin)
{
    static const std::pair<const char*, ControlKind> kinds[] = {
        {"label", ControlKind::Label}, {"textBox", ControlKind::TextBox}, {"function", ControlKind::Function},
        {"line", ControlKind::Line},   {"image", ControlKind::Image},
    };
    for (const auto& [name, k] : kinds)
        if (kind == QLatin1String(name))
            return k;
    fault(origin, QStringLiteral("tipo di controllo sconosciuto \"%1\"").arg(kind));
}

TextAlign readAlign(const QString& a)
{
    if (a == QLatin1String("center"))
        return TextAlign::Center;
    if (a == QLatin1String("right"))
        return TextAlign::Right;
    return TextAlign::Left;
}

Control readControl(const QJsonObject& o, const ReportFont& font, const QString& origin)
{
    Control c;
    c.name = o.value(QLatin1String("name")).toString();
    c.kind = readKind(o.value(QLatin1String("kind")).toString(), origin);
    c.x = o.value(QLatin1String("x")).toDouble();
    c.y = o.value(QLatin1String("y")).toDouble();
    c.w = o.value(QLatin1String("w")).toDouble();
    c.h = o.value(QLatin1String("h")).toDouble();
    c.visible = o.value(QLatin1String("visible")).toBool(true);
    c.font = readFont(o.value(QLatin1String("font")), font);
    c.align = readAlign(o.value(QLatin1String("align")).toString());
    c.canGrow = o.value(QLatin1String("canGrow")).toBool(false);
    c.text = o.value(QLatin1String("text")).toString();
    c.field = o.value(QLatin1String("field")).toString();
    c.member = o.value(QLatin1String("member")).toString();
    c.format = o.value(QLatin1String("format")).toString();
    c.function = o.value(QLatin1String("function")).toString();
    c.lineWidth = o.value(QLatin1String("width")).toDouble(0.3);
    c.pictureAlignment = o.value(QLatin1String("pictureAlignment")).toInt(4);
    c.sizeMode = o.value(QLatin1String("sizeMode")).toInt(2);
    if (c.name.isEmpty())
        fault(origin, QStringLiteral("un controllo senza nome"));
    return c;
}

bool isPrefixPath(const QString& prefix, const QString& path)
{
    return path.compare(prefix, Qt::CaseInsensitive) == 0
        || path.startsWith(prefix + QLatin1Char('.'), Qt::CaseInsensitive);
}

void check(const ReportDesign& d, const QString& origin)
{
    const auto& env = data::DataEnvironment1::instance();
    if (!env.hasCommand(d.dataMember))
        fault(origin, QStringLiteral("il comando \"%1\" non esiste").arg(d.dataMember));
    const data::NamedCommand& command = env.command(d.dataMember);
    const QString detail = d.detailLevel();
    if (!command.hasPath(detail))
        fault(origin, QStringLiteral("il livello \"%1\" non esiste").arg(detail));

    std::set<QString> unique;
    std::set<QString> names;
    for (const Section& s : d.sections) {
        const bool grouped = s.role == SectionRole::GroupHeader || s.role == SectionRole::GroupFooter;
        const QString key = QString::number(int(s.role)) + (grouped ? s.level.toLower() : QString());
        if (!unique.insert(key).second)
            fault(origin, QStringLiteral("la sezione %1 ripete un ruolo").arg(s.name));
        if (grouped && !(isPrefixPath(s.level, detail) && s.level.compare(detail, Qt::CaseInsensitive) != 0))
            fault(origin, QStringLiteral("il livello \"%1\" della sezione %2 non contiene il dettaglio")
                              .arg(s.level, s.name));
        const bool pageSection = s.role == SectionRole::PageHeader || s.role == SectionRole::PageFooter;
        const bool dataSection = grouped || s.role == SectionRole::Detail;
        const QString sectionLevel = dataSection ? (s.level.isEmpty() ? d.dataMember : s.level) : QString();
        for (const Control& c : s.controls) {
            if (!names.insert(c.name.toLower()).second)
                fault(origin, QStringLiteral("il controllo %1 compare due volte").arg(c.name));
            if (c.canGrow && (pageSection || c.kind == ControlKind::Line || c.kind == ControlKind::Image))
                fault(origin, QStringLiteral("il controllo %1 non può crescere").arg(c.name));
            if (formatKind(c.format) == FormatKind::Unknown)
                fault(origin, QStringLiteral("formato \"%1\" sconosciuto in %2").arg(c.format, c.name));
            if (c.kind == ControlKind::TextBox) {
                if (!dataSection)
                    fault(origin, QStringLiteral("la casella %1 non è in una sezione di dati").arg(c.name));
                const QString member = c.member.isEmpty() ? sectionLevel : c.member;
                if (!isPrefixPath(member, sectionLevel) || !command.hasPath(member))
                    fault(origin, QStringLiteral("il livello \"%1\" di %2 non è raggiungibile").arg(member, c.name));
            }
            if (c.kind == ControlKind::Function) {
                if (pageSection)
                    fault(origin, QStringLiteral("la funzione %1 è in una sezione di pagina").arg(c.name));
                if (c.function != QLatin1String("sum") && c.function != QLatin1String("count"))
                    fault(origin, QStringLiteral("funzione \"%1\" sconosciuta in %2").arg(c.function, c.name));
                const QString member = c.member.isEmpty() ? detail : c.member;
                if (!command.hasPath(member) || (!sectionLevel.isEmpty() && !isPrefixPath(sectionLevel, member)))
                    fault(origin, QStringLiteral("il livello \"%1\" di %2 non è raggiungibile").arg(member, c.name));
            }
        }
    }
}

} // namespace

const Section* ReportDesign::section(SectionRole role) const
{
    for (const Section& s : sections)
        if (s.role == role)
            return &s;
    return nullptr;
}

QString ReportDesign::detailLevel() const
{
    const Section* s = section(SectionRole::Detail);
    return s && !s->level.isEmpty() ? s->level : dataMember;
}

const Control* ReportDesign::control(const QString& name) const
{
    for (const Section& s : sections)
        for (const Control& c : s.controls)
            if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                return &c;
    return nullptr;
}

ReportDesign parseDesign(const QByteArray& json, const QString& origin)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (doc.isNull() || !doc.isObject())
        fault(origin, error.errorString());
    const QJsonObject o = doc.object();

    ReportDesign d;
    d.report = o.value(QLatin1String("report")).toString();
    d.caption = o.value(QLatin1String("caption")).toString();
    d.dataMember = o.value(QLatin1String("dataMember")).toString();
    d.landscape = o.value(QLatin1String("orientation")).toString() == QLatin1String("landscape");
    const QJsonArray margins = o.value(QLatin1String("margins")).toArray();
    if (margins.size() == 4) {
        d.marginLeft = margins[0].toDouble();
        d.marginTop = margins[1].toDouble();
        d.marginRight = margins[2].toDouble();
        d.marginBottom = margins[3].toDouble();
    }
    d.font = readFont(o.value(QLatin1String("font")), ReportFont{QStringLiteral("DejaVu Sans"), 9, false, false});

    for (const QJsonValue& sv : o.value(QLatin1String("sections")).toArray()) {
        const QJsonObject so = sv.toObject();
        Section s;
        s.name = so.value(QLatin1String("name")).toString();
        s.role = readRole(so.value(QLatin1String("role")).toString(), origin);
        s.height = so.value(QLatin1String("height")).toDouble();
        s.level = so.value(QLatin1String("level")).toString();
        s.newPageAfter = so.value(QLatin1String("newPageAfter")).toBool();
        if ((s.role == SectionRole::GroupHeader || s.role == SectionRole::GroupFooter) && s.level.isEmpty())
            fault(origin, QStringLiteral("la sezione di gruppo %1 non indica il livello").arg(s.name));
        for (const QJsonValue& cv : so.value(QLatin1String("controls")).toArray())
            s.controls.push_back(readControl(cv.toObject(), d.font, origin));
        d.sections.push_back(std::move(s));
    }
    check(d, origin);
    return d;
}

QStringList designResources()
{
    initReportResources();
    QStringList out;
    QDirIterator it(QStringLiteral(":/reports"), {QStringLiteral("*.json")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}

ReportDesign loadDesign(const QString& name)
{
    const QString fileName = name + QStringLiteral(".json");
    for (const QString& path : designResources()) {
        if (!path.endsWith(QLatin1Char('/') + fileName))
            continue;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            break;
        return parseDesign(f.readAll(), name);
    }
    throw Error(QStringLiteral("Il report %1 non esiste.").arg(name));
}

} // namespace vb::reports
