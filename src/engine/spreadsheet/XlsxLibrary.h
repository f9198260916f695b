#pragma once

#include <QString>
#include <xlsxwriter.h>

namespace dalvira::sheetio {

// libxlsxwriter, loaded at run time into a link namespace of its own. It writes its zip
// through the system minizip, while QuaZip (backups, the sheet reader) exports a modified
// minizip under the same function names; linked into one process, libxlsxwriter's calls land
// in QuaZip's copy and crash. Its own namespace keeps the two apart. Call libxlsxwriter only
// through this table, never directly.
struct XlsxLibrary
{
    lxw_workbook *(*workbookNew)(const char *);
    lxw_worksheet *(*addWorksheet)(lxw_workbook *, const char *);
    lxw_format *(*addFormat)(lxw_workbook *);
    lxw_error (*workbookClose)(lxw_workbook *);
    void (*setBold)(lxw_format *);
    void (*setFontSize)(lxw_format *, double);
    void (*setNumFormat)(lxw_format *, const char *);
    lxw_error (*writeString)(lxw_worksheet *, lxw_row_t, lxw_col_t, const char *, lxw_format *);
    lxw_error (*writeNumber)(lxw_worksheet *, lxw_row_t, lxw_col_t, double, lxw_format *);
    lxw_error (*writeDatetime)(lxw_worksheet *, lxw_row_t, lxw_col_t, lxw_datetime *, lxw_format *);
    lxw_error (*writeFormulaNum)(lxw_worksheet *, lxw_row_t, lxw_col_t, const char *, lxw_format *,
                                 double);
    lxw_error (*writeBlank)(lxw_worksheet *, lxw_row_t, lxw_col_t, lxw_format *);
    lxw_error (*setColumn)(lxw_worksheet *, lxw_col_t, lxw_col_t, double, lxw_format *);
    lxw_error (*setRow)(lxw_worksheet *, lxw_row_t, double, lxw_format *);
    char *(*strerror)(lxw_error);

    // Loaded once and kept for the life of the program; nullptr with the reason when the
    // library cannot be loaded.
    static const XlsxLibrary *instance(QString *error);
};

} // namespace dalvira::sheetio
