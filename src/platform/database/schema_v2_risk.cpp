#include "platform/database/schema.h"

namespace WorkbookSchema {

namespace {

// A date column holds NULL or a real calendar date written yyyy-MM-dd.
// date(julianday()) normalises or refuses anything else ("2025-02-30", "2025-13-01",
// "soon"), so a stored value must equal its own normalised form.
QString dateColumn(const QString &name)
{
    return QStringLiteral("%1 TEXT CHECK (%1 IS NULL OR (length(%1) = 10 AND date(julianday(%1)) IS %1))").arg(name);
}

QString levelColumn(const QString &name, bool required)
{
    return required ? QStringLiteral("%1 INTEGER NOT NULL CHECK (%1 BETWEEN 1 AND 5)").arg(name)
                    : QStringLiteral("%1 INTEGER CHECK (%1 IS NULL OR %1 BETWEEN 1 AND 5)").arg(name);
}

QString flagColumn(const QString &name)
{
    return QStringLiteral("%1 INTEGER NOT NULL DEFAULT 0 CHECK (%1 IN (0, 1))").arg(name);
}

QString requiredName(const QString &name)
{
    return QStringLiteral("%1 TEXT NOT NULL CHECK (length(trim(%1)) > 0)").arg(name);
}

} // namespace

// Version 2: the risk register. Business associates, the assets that create,
// receive, maintain or transmit ePHI, the risks with their treatment, the
// risk matrix (seeded with the five-level table of likelihood against
// impact), the analysis details and the evidence files attached to any of
// them. Levels are 1 (Very Low) to 5 (Very High).
QStringList riskRegisterStep()
{
    return {
        QStringLiteral("CREATE TABLE risk_associate ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT, ")
            + requiredName(QStringLiteral("name"))
            + QStringLiteral(", service TEXT NOT NULL DEFAULT '',"
                             " ephi TEXT NOT NULL DEFAULT '',"
                             " contact TEXT NOT NULL DEFAULT '', ")
            + dateColumn(QStringLiteral("baa_signed_on")) + QStringLiteral(", ")
            + dateColumn(QStringLiteral("baa_review_on"))
            + QStringLiteral(", notes TEXT NOT NULL DEFAULT '')"),

        QStringLiteral("CREATE TABLE risk_asset ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT, ")
            + requiredName(QStringLiteral("name"))
            + QStringLiteral(", kind TEXT NOT NULL CHECK (kind IN ('ehr', 'server', 'workstation',"
                             " 'laptop', 'mobile', 'removable-media', 'network-device', 'cloud-service',"
                             " 'email', 'backup-media', 'paper-to-electronic', 'other')),"
                             " location TEXT NOT NULL DEFAULT '',"
                             " owner TEXT NOT NULL DEFAULT '',"
                             " ephi TEXT NOT NULL DEFAULT '',"
                             " record_count INTEGER CHECK (record_count IS NULL OR record_count >= 0), ")
            + flagColumn(QStringLiteral("creates")) + QStringLiteral(", ")
            + flagColumn(QStringLiteral("receives")) + QStringLiteral(", ")
            + flagColumn(QStringLiteral("maintains")) + QStringLiteral(", ")
            + flagColumn(QStringLiteral("transmits"))
            + QStringLiteral(", associate_id INTEGER REFERENCES risk_associate(id) ON DELETE SET NULL,"
                             " notes TEXT NOT NULL DEFAULT '', ")
            + flagColumn(QStringLiteral("retired")) + QStringLiteral(")"),

        // asset_id NULL: a risk to the whole organization.
        QStringLiteral("CREATE TABLE risk_risk ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " asset_id INTEGER REFERENCES risk_asset(id) ON DELETE RESTRICT, ")
            + requiredName(QStringLiteral("threat"))
            + QStringLiteral(", vulnerability TEXT NOT NULL DEFAULT '',"
                             " current_measures TEXT NOT NULL DEFAULT '', ")
            + levelColumn(QStringLiteral("likelihood"), true) + QStringLiteral(", ")
            + levelColumn(QStringLiteral("impact"), true)
            + QStringLiteral(", treatment TEXT NOT NULL DEFAULT '' CHECK (treatment IN"
                             " ('', 'mitigate', 'accept', 'transfer', 'avoid')),"
                             " planned_measures TEXT NOT NULL DEFAULT '',"
                             " owner TEXT NOT NULL DEFAULT '', ")
            + dateColumn(QStringLiteral("due_on"))
            + QStringLiteral(", status TEXT NOT NULL DEFAULT 'open' CHECK (status IN"
                             " ('open', 'in-progress', 'done')), ")
            + levelColumn(QStringLiteral("residual_likelihood"), false) + QStringLiteral(", ")
            + levelColumn(QStringLiteral("residual_impact"), false)
            + QStringLiteral(", accepted_by TEXT NOT NULL DEFAULT '', ")
            + dateColumn(QStringLiteral("accepted_on")) + QStringLiteral(", ")
            + dateColumn(QStringLiteral("identified_on")) + QStringLiteral(", ")
            + dateColumn(QStringLiteral("reviewed_on")) + QStringLiteral(")"),
        QStringLiteral("CREATE INDEX risk_risk_asset ON risk_risk (asset_id)"),

        QStringLiteral("CREATE TABLE risk_risk_safeguard ("
                       " risk_id INTEGER NOT NULL REFERENCES risk_risk(id) ON DELETE CASCADE,"
                       " safeguard_no INTEGER NOT NULL CHECK (safeguard_no BETWEEN 0 AND 46),"
                       " PRIMARY KEY (risk_id, safeguard_no)) WITHOUT ROWID"),

        QStringLiteral("CREATE TABLE risk_matrix (")
            + levelColumn(QStringLiteral("likelihood"), true) + QStringLiteral(", ")
            + levelColumn(QStringLiteral("impact"), true) + QStringLiteral(", ")
            + levelColumn(QStringLiteral("level"), true)
            + QStringLiteral(", PRIMARY KEY (likelihood, impact)) WITHOUT ROWID"),
        // The default: the assessment scale of level of risk as the
        // combination of likelihood and impact, cell by cell.
        QStringLiteral("INSERT INTO risk_matrix (likelihood, impact, level) VALUES"
                       " (5, 1, 1), (5, 2, 2), (5, 3, 3), (5, 4, 4), (5, 5, 5),"
                       " (4, 1, 1), (4, 2, 2), (4, 3, 3), (4, 4, 4), (4, 5, 5),"
                       " (3, 1, 1), (3, 2, 2), (3, 3, 3), (3, 4, 3), (3, 5, 4),"
                       " (2, 1, 1), (2, 2, 2), (2, 3, 2), (2, 4, 2), (2, 5, 3),"
                       " (1, 1, 1), (1, 2, 1), (1, 3, 1), (1, 4, 2), (1, 5, 2)"),

        // One row, always there.
        QStringLiteral("CREATE TABLE risk_analysis ("
                       " id INTEGER PRIMARY KEY CHECK (id = 1),"
                       " scope TEXT NOT NULL DEFAULT '',"
                       " method TEXT NOT NULL DEFAULT '',"
                       " prepared_by TEXT NOT NULL DEFAULT '',"
                       " approved_by TEXT NOT NULL DEFAULT '', ")
            + dateColumn(QStringLiteral("approved_on")) + QStringLiteral(", ")
            + dateColumn(QStringLiteral("last_full_review_on")) + QStringLiteral(")"),
        QStringLiteral("INSERT INTO risk_analysis (id) VALUES (1)"),

        // An evidence file belongs to exactly one asset, associate, risk or
        // safeguard. stored_name is the file's name in Evidence/, chosen by
        // the program: digits, a dot and a short lower-case extension.
        QStringLiteral("CREATE TABLE risk_evidence ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " asset_id INTEGER REFERENCES risk_asset(id) ON DELETE CASCADE,"
                       " associate_id INTEGER REFERENCES risk_associate(id) ON DELETE CASCADE,"
                       " risk_id INTEGER REFERENCES risk_risk(id) ON DELETE CASCADE,"
                       " safeguard_no INTEGER CHECK (safeguard_no IS NULL OR safeguard_no BETWEEN 0 AND 46),"
                       " stored_name TEXT NOT NULL UNIQUE CHECK (length(stored_name) BETWEEN 1 AND 40"
                       "  AND stored_name NOT GLOB '*[^0-9a-z.]*' AND stored_name GLOB '[0-9]*'"
                       "  AND stored_name NOT GLOB '*..*'), ")
            + requiredName(QStringLiteral("original_name"))
            + QStringLiteral(", size INTEGER NOT NULL CHECK (size BETWEEN 0 AND 104857600),"
                             " sha256 TEXT NOT NULL CHECK (length(sha256) = 64 AND sha256 NOT GLOB '*[^0-9a-f]*'),"
                             " added_at TEXT NOT NULL CHECK (length(added_at) >= 19 AND datetime(added_at) IS NOT NULL),"
                             " note TEXT NOT NULL DEFAULT '',"
                             " CHECK ((asset_id IS NOT NULL) + (associate_id IS NOT NULL) + (risk_id IS NOT NULL)"
                             "  + (safeguard_no IS NOT NULL) = 1))"),
    };
}

} // namespace WorkbookSchema
