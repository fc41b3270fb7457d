/* Early binding from plain C with nothing but the developer kit: its
   header, its identifiers file and a registered Tollivor.dll. The item
   class takes a record through its interface and keeps its result empty
   until a Show. Exits 0 when all went so, else with the step that failed. */
#include <windows.h>
#include <ole2.h>

#include "Tollivor_h.h"

int main(void) {
  _CProperty* item = NULL;
  BSTR in = SysAllocString(L"C:\\Tools\\edit.exe|Editor"), out = NULL;
  int result = 0;
  if (FAILED(CoInitialize(NULL))) return 1;
  if (FAILED(CoCreateInstance(&CLSID_CProperty, NULL, CLSCTX_INPROC_SERVER, &IID__CProperty,
                              (void**)&item)))
    result = 2;
  else if (FAILED(item->lpVtbl->put_ItemInfo(item, in)) ||
           FAILED(item->lpVtbl->get_ItemInfo(item, &out)))
    result = 3;
  else if (SysStringLen(out) != 0)
    result = 4;
  if (item) item->lpVtbl->Release(item);
  SysFreeString(in);
  SysFreeString(out);
  CoUninitialize();
  return result;
}
