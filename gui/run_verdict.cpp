#include "run_verdict.h"

#include "result_readers.h"

#include <QRegularExpression>

bool runProducedResults(bool exitedNormally, int exitCode, const Project &project, bool hasPressureModel,
                        const QDateTime &startedAt)
{
  if (!exitedNormally || exitCode != 0)
    return false;
  if (!isWrittenSince(project.resultPath(QStringLiteral(".tau.grdecl")), startedAt))
    return false;
  return !hasPressureModel || isWrittenSince(project.resultPath(QStringLiteral("_RATE")), startedAt);
}

QString unconvergedStepCount(const QString &standardError)
{
  static const QRegularExpression countLine(QStringLiteral("^Warning: \\d+ of \\d+ steps did not converge .*$"),
                                            QRegularExpression::MultilineOption);
  return countLine.match(standardError).captured();
}
