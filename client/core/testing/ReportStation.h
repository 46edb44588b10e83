// Test helper: report files in a private installation directory
// (C:\VANTRIX), named with the checksum of their content.
#pragma once

#include <QString>
#include <QStringList>

#include "TestRoot.h"

namespace vtx::client::testing {

// The name `stem` + ".S" + the checksum of the lines.
QString reportFileName(const QString& stem, const QStringList& lines);

// Writes the lines (CR LF ends each, Windows-1252) to C:\VANTRIX\<name>.
void writeReport(const vtx::test::TempRoot& root, const QString& name, const QStringList& lines);

// Writes the lines under their checksum name; returns the name.
QString writeCheckedReport(const vtx::test::TempRoot& root, const QString& stem,
                           const QStringList& lines);

}  // namespace vtx::client::testing
