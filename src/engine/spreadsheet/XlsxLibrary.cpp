#include "XlsxLibrary.h"

#include <dlfcn.h>

namespace dalvira::sheetio {

namespace {

struct Loaded
{
    XlsxLibrary library{};
    bool ok = false;
    QString error;
};

template <typename F> bool bind(void *handle, const char *name, F &function, QString &error)
{
    function = reinterpret_cast<F>(dlsym(handle, name));
    if (!function && error.isEmpty())
        error = QStringLiteral("%1 bulunamadı").arg(QLatin1String(name));
    return function != nullptr;
}

Loaded load()
{
    Loaded loaded;
    void *handle = nullptr;
    for (const char *name : {"libxlsxwriter.so.4", "libxlsxwriter.so"}) {
        handle = dlmopen(LM_ID_NEWLM, name, RTLD_NOW | RTLD_LOCAL);
        if (handle)
            break;
    }
    if (!handle) {
        const char *reason = dlerror();
        loaded.error = QString::fromLocal8Bit(reason ? reason : "libxlsxwriter");
        return loaded;
    }
    XlsxLibrary &l = loaded.library;
    QString &e = loaded.error;
    loaded.ok = bind(handle, "workbook_new", l.workbookNew, e) &
                bind(handle, "workbook_add_worksheet", l.addWorksheet, e) &
                bind(handle, "workbook_add_format", l.addFormat, e) &
                bind(handle, "workbook_close", l.workbookClose, e) &
                bind(handle, "format_set_bold", l.setBold, e) &
                bind(handle, "format_set_font_size", l.setFontSize, e) &
                bind(handle, "format_set_num_format", l.setNumFormat, e) &
                bind(handle, "worksheet_write_string", l.writeString, e) &
                bind(handle, "worksheet_write_number", l.writeNumber, e) &
                bind(handle, "worksheet_write_datetime", l.writeDatetime, e) &
                bind(handle, "worksheet_write_formula_num", l.writeFormulaNum, e) &
                bind(handle, "worksheet_write_blank", l.writeBlank, e) &
                bind(handle, "worksheet_set_column", l.setColumn, e) &
                bind(handle, "worksheet_set_row", l.setRow, e) &
                bind(handle, "lxw_strerror", l.strerror, e);
    return loaded;
}

} // namespace

const XlsxLibrary *XlsxLibrary::instance(QString *error)
{
    static const Loaded loaded = load();
    if (!loaded.ok && error)
        *error = loaded.error;
    return loaded.ok ? &loaded.library : nullptr;
}

} // namespace dalvira::sheetio
