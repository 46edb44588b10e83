// TabelaOperadoras: the card administrators that the station serves, read
// from VXTb_Opr.txt in the installation directory (PathServer; no checksum in
// the name), one record per line, in file order, indexed from 1.
//
// Record layout (character positions, 1-based; Windows-1252 text):
//   1-20    administrator name            text
//   21-28   administrator code            text
//   29      field 1 kind                  1 character; blank = not asked for
//   30-31   field 1 minimum length        2-digit number
//   32-33   field 1 maximum length        2-digit number
//   34-53   field 1 label                 text
//   54-78   field 2, as field 1
//   79-103  field 3, as field 1
//   104-105 final code                    text
// A short line leaves the missing text fields blank and the numbers 0; what
// follows character 105 is ignored; a number that is blank or not numeric is
// 0 (core/NumericText.h). Text fields keep their width, blank
// padded, as the fixed-width record has them; trim them for display.
// Lines that hold only blanks are not records. Commas are part of the text.
//
// Thread-safety: a plain value; the client's single thread owns it.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "core/ErrorReporter.h"
#include "core/EstruturaPrincipal.h"

namespace vtx::client {

// One identification field that the card screen asks for.
struct IdentificationField {
    QString kind = QStringLiteral(" ");  // 1 character; blank = not asked for
    qint16 minLength = 0;
    qint16 maxLength = 0;
    QString label = QString(20, u' ');  // 20 characters

    bool asked() const { return kind != QStringLiteral(" "); }
};

struct OperatorRecord {
    QString name = QString(20, u' ');  // 20 characters
    QString code = QString(8, u' ');   // 8 characters
    std::array<IdentificationField, 3> fields;
    QString finalCode = QString(2, u' ');  // 2 characters

    // Cuts one line of VXTb_Opr.txt into the fields.
    static OperatorRecord parse(const QString& line);
};

// An entry of the administrator list of the administrative menu: a distinct
// code and the first record that has it.
struct CodeChoice {
    QString code;  // trimmed, upper-cased
    int index = 0;
};

class TabelaOperadoras {
public:
    static constexpr const char* kFileName = "VXTb_Opr.txt";

    // Loads the table from settings.PathServer; true when the file was read to
    // its end. A missing file is reported as "Arquivo VXTb_Opr.txt não foi
    // encontrado.", a read fault as "<description> - <number>", through
    // `reporter` under "ObtemDadosOperadora"; the table is then empty.
    bool ObtemDadosOperadora(const EstruturaPrincipal& settings, const ErrorReporter& reporter);

    int size() const { return static_cast<int>(records_.size()); }
    bool empty() const { return records_.empty(); }

    // The record at a 1-based index, or nullptr outside 1..size().
    const OperatorRecord* at(int index) const;

    const std::vector<OperatorRecord>& records() const { return records_; }

    // Trimmed names of every record, in table order (the card screen's list).
    QStringList names() const;

    // Each distinct code once (trimmed, upper-cased), in table order, with
    // the index of the first record that has it (the administrative menu).
    std::vector<CodeChoice> distinctCodes() const;

    // Index of the first record whose trimmed name equals the trimmed `name`
    // without regard to case; 0 when none.
    int indexOfName(const QString& name) const;

    // Index of the first record whose trimmed, upper-cased code equals the
    // trimmed, upper-cased `code`; 0 when none.
    int indexOfCode(const QString& code) const;

    // Makes the record at `index` the chosen administrator: AdmSelecionada,
    // and the trimmed NomeAdministradora and CodigoAdministradora. False (and
    // nothing changed) when there is no such record or the index does not fit
    // the 16-bit AdmSelecionada.
    bool select(int index, EstruturaPrincipal& settings) const;

    // Replaces the records (screens' tests build tables this way).
    void setRecords(std::vector<OperatorRecord> records) { records_ = std::move(records); }

private:
    std::vector<OperatorRecord> records_;
};

}  // namespace vtx::client
