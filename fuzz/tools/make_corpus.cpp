// Writes the starting corpora of the fuzz targets from the program's own writers (and, for
// older file versions and pictures, from small builders): make_fuzz_corpus <corpus folder>.
// Every file is named "seed-…" and is overwritten; the "regression-…" inputs beside them
// are kept as they are.
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/files.h"
#include "document/document_json.h"
#include "document/faktura.h"
#include "document/ftv_builder.h"
#include "printout/printer_setup.h"
#include "registers/autolists.h"
#include "registers/contractors.h"
#include "registers/goods.h"
#include "registers/register_builders.h"
#include "settings/file_store.h"
#include "settings/settings.h"
#include "support/jpeg_writer.h"
#include "support/metafile_builder.h"

using namespace bilvox;
namespace fs = std::filesystem;

namespace {

fs::path g_root;

std::string S(std::string_view text) { return std::string(text); }

void Put(const std::string& target, const std::string& name, std::string_view bytes) {
  fs::create_directories(g_root / target);
  std::ofstream out(g_root / target / ("seed-" + name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// ---- registers ----

void Contractors() {
  TKontrahenci reg;
  TKontrahentRec* a = reg.UpsertFromBuyer("Zakład Usług Różnych \"Łoś\""_cp, "ul. Długa 5\r\n00-950 Warszawa"_cp,
                                          "PL 123-456-32-18", "Anna Żak"_cp, Currency::Of(12, 5000));
  a->phone = "+48 22 123 45 67";
  a->email = "biuro@example.pl";
  a->www = "www.example.pl";
  a->remarks = "Płaci przelewem\r\nw terminie"_cp;
  a->reserved = "R";
  reg.UpsertFromBuyer("Kowalski Jan", "Kraków", "DE123456789", "", Currency{});
  reg.UpsertFromBuyer("", "", "", "", Currency::Of(100));
  Put("contractors", "v4", reg.Content());

  using namespace bilvox::testing;
  for (int version : {0, 2, 3}) {
    ByteWriter w = Header(version, 2);
    PutContractor(w, version, {.oldA = "stary A", .oldB = "stary B", .name = S("Nowak"_cp),
                               .address = S("Gdańsk"_cp), .nip = "5260250274", .discountRaw = 150000,
                               .receiving = "Ewa"});
    PutContractor(w, version, {.name = "ALFA sp. z o.o.", .remarks = "—", .discountRaw = 0});
    Put("contractors", "v" + std::to_string(version), w.Data());
  }
}

void Goods() {
  TTowary reg;
  reg.UpsertFromEntry("Śruba M6"_cp, "25.94.11", "szt.", 2, "Schraube M6", "Stk.", "PLN", false,
                      Currency::Of(0, 4500), VatRateTable[7]);
  reg.UpsertFromEntry("Śruba M6"_cp, "25.94.11", "szt.", 4, "Screw M6", "pcs", "EUR", true,
                      Currency::Of(0, 1234), VatRateTable[7]);
  reg.UpsertFromEntry("Usługa transportowa"_cp, "", "km", 0, "", "", "PLN", true,
                      Currency::Of(3, 5000), VatRateTable[8]);
  reg.UpsertFromEntry("Książka"_cp, "58.11", "egz.", 0, "", "", "PLN", false, Currency::Of(49, 9900),
                      VatRateTable[kVatIndexExempt]);
  reg.UpsertFromEntry("Stawka spoza tabeli"_cp, "", "", 0, "", "", "PLN", false, Currency::Of(1),
                      Currency::FromRaw(1500));
  Put("goods", "v3", reg.Content());

  using namespace bilvox::testing;
  for (int version : {0, 1, 2}) {
    ByteWriter w = Header(version, 2);
    PutGoods(w, version, {.name = S("Gwóźdź"_cp), .pkwiu = "25.93", .unit = "kg", .nameDe = "Nagel",
                          .nameEn = "Nail", .unitDe = "kg", .unitEn = "kg", .pricePln = 123400,
                          .rate = 2200});
    PutGoods(w, version, {.name = "Papier", .pricePln = 5, .rate = -20000});
    Put("goods", "v" + std::to_string(version), w.Data());
  }
}

void Autolists(const fs::path& scratch) {
  TextList pkwiu{"25.94.11", "58.11"}, units{"szt", "kg", "m²"}, payment{"przelew", S("gotówka"_cp)};
  TListyNapisow lists;
  lists.Attach(&pkwiu);
  lists.Attach(&units);
  lists.Attach(&payment);
  const std::string path = (scratch / "autolists.dt").string();
  lists.Load(path);  // no file yet: only remembers the path
  lists.Remember(&payment, "karta");
  Put("autolists", "three-lists", ReadWholeFile(path));

  ByteWriter two;  // two blocks only, the payment forms keep their own items
  two.U16(1);
  two.I32(2);
  two.I32(0);
  two.I32(1);
  two.String("op.");
  Put("autolists", "two-lists", two.Data());
}

// ---- printer set-up ----

void PrinterSetup() {
  PrinterBlock block;
  block.paperWidthUm = 210000;
  block.paperHeightUm = 297000;
  block.orientation = PrinterBlock::Orientation::Landscape;
  block.duplex = PrinterBlock::Duplex::LongSide;
  block.resolution = 600;
  block.copies = 2;
  Put("printer_setup", "ours", SerializePrinterSetup({"HP LaserJet", "winspool", "USB001", EncodePrinterBlock(block)}));
  Put("printer_setup", "opaque-block",
      SerializePrinterSetup({"PDF", "", "", std::string("\x01\x04\x00\x00\xdc\x00opaque", 12)}));
  Put("printer_setup", "empty-block", SerializePrinterSetup({"Drukarka", "drv", "LPT1:", ""}));
}

// ---- settings store ----

std::string Utf16WithBom(std::string_view utf8) {
  std::string out = "\xFF\xFE";
  for (char32_t c : DecodeUtf8(utf8).value_or(std::u32string())) {
    if (c >= 0x10000) {
      c -= 0x10000;
      for (char32_t u : {0xD800 + (c >> 10), 0xDC00 + (c & 0x3FF)}) out += {char(u & 0xFF), char(u >> 8)};
    } else {
      out += {char(c & 0xFF), char(c >> 8)};
    }
  }
  return out;
}

void Settings(const fs::path& scratch) {
  const std::string path = (scratch / "registry.reg").string();
  FileSettingsStore store(path);
  TSettings s;
  s.App.FolderFaktur = "/home/ania/Faktury";
  s.App.ShadowColor = 0x00808080;
  s.App.FontName = "Liberation Sans";
  s.App.FontSizeDelta = -2;
  s.Numbering.Schemes[0].Prefix = "FV/%R/";
  s.Numbering.Schemes[0].Number = 42;
  s.Numbering.Schemes[0].NumWidth = 3;
  s.Numbering.Schemes[2].Sufix = "/%M";
  s.Save(store);
  s.MainWindow.MainFormLeft = 10;
  s.MainWindow.Save(store);
  s.InfoWindow.DisableInfoOptions = 5;
  s.InfoWindow.SaveOptions(store);
  {
    TFaktura doc(&store);
    doc.SetSellerName("Zakład Usług Różnych"_cp);
    doc.SetSellerAddress("ul. Długa 5\r\nWarszawa"_cp);
    doc.SetCurrency("EUR");
    doc.SetExchangeRate(Currency::Of(4, 1234));
    doc.SetPaymentDueDate(doc.IssueDate() + 14);
  }  // the document stores its defaults as it ends
  const std::string text = ReadWholeFile(path);
  Put("settings", "own-form", text);
  Put("settings", "utf16", Utf16WithBom(text));
  Put("settings", "regedit4",
      "REGEDIT4\r\n\r\n"
      "; an export of the older editor, Windows-1250 text\r\n"
      "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Faktura]\r\n"
      "\"SellerName\"=\"" + std::string("Zakład"_cp) + "\"\r\n"
      "\"TypFakturyVat\"=hex:01\r\n"
      "\"KursWaluty\"=hex:12,a1,00,00,00,00,00,00\r\n"
      "\"InfoText1\"=hex(2):41,42,00\r\n"
      "@=\"domyślna\"\r\n"
      "\"Usunięta\"=-\r\n"
      "\r\n"
      "[-HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Stary]\r\n"
      "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia]\r\n"
      "\"LogoWidth\"=dword:0000000a\r\n"
      "\"Wiele\"=hex(7):41,00,00,00,42,00,00,00,\\\r\n"
      "  00,00\r\n");
}

// ---- documents ----

void Documents(const fs::path& scratch) {
  auto save = [&](TFaktura& doc, const std::string& name) {
    const std::string path = (scratch / (name + ".ftv")).string();
    doc.Save(path);
    Put("ftv", name, ReadWholeFile(path));
    Put("document_json", name, DocumentToJson(doc, 8).Dump(1));
  };
  TFaktura doc;
  doc.SetNumber("F/7/03/2027");
  doc.SetSellerName("Zakład Usług Różnych"_cp);
  doc.SetSellerAddress("ul. Długa 5\r\n00-950 Warszawa"_cp);
  doc.SetSellerNIP("123-456-32-18");
  doc.SetBuyerName("Kowalski Jan");
  doc.SetBuyerAddress("Kraków"_cp);
  doc.SetBuyerNIP("PL 5260250274");
  doc.SetPaymentForm("przelew");
  doc.SetPaid(Currency::Of(50));
  doc.AddLine("Śruba M6"_cp, "", 7, false, Currency::Of(0, 4500), 120, "25.94.11", "", "szt.");
  doc.AddLine("Transport", "", 8, true, Currency::Of(35), 1.5, "", "", "km");
  doc.AddLine("Książka"_cp, "", kVatIndexExempt, false, Currency::Of(49, 9900), 2, "", "", "egz.");
  doc.AddLine("Usługa zagraniczna"_cp, "", kVatIndexNotSubject, false, Currency::Of(100), 1, "", "", "");
  doc.Line(0).Reserved = 3;
  save(doc, "invoice");
  doc.NewDocument(DocumentKind::Correction, "K/1/03/2027");  // a correction of that invoice
  doc.ChangeLine(&doc.Line(1), "Transport", 8, true, Currency::Of(30), 2, "", "", "km", "");
  doc.DeleteLine(&doc.Line(2));
  doc.AddLine("Dopłata"_cp, "", 9, false, Currency::Of(10), 1, "", "", "");
  save(doc, "correction");

  TFaktura foreign;
  foreign.SetLanguage(2);
  foreign.SetCurrency("EUR");
  foreign.SetExchangeRate(Currency::Of(4, 2156));
  foreign.SetGrossPricing(true);
  foreign.SetBuyerDiscount(Currency::Of(5));
  foreign.SetVatInvoiceType(kVatTypeMargin);
  foreign.SetMarginProcedure(2);
  foreign.AddLine("Krzesło"_cp, "Stuhl", 7, true, Currency::Of(19, 9900), 3, "", "Stk.", "szt.");
  foreign.Line(0).VatRate = Currency::FromRaw(1500);  // a rate the table does not have
  save(foreign, "eur-gross");

  TFaktura bill;
  bill.Fields().Kind = DocumentKind::Bill;
  bill.AddLine("Porada"_cp, "", 3, false, Currency::Of(150), 1, "", "", "h");
  save(bill, "bill");

  // Older versions, from the file's layout.
  using bilvox::testing::FtvBytes;
  const bilvox::testing::FtvDocument full = bilvox::testing::FullCorrection();
  for (int version : {0, 1, 2, 4, 6, 7}) Put("ftv", "v" + std::to_string(version), FtvBytes(full, version));
}

// ---- pictures ----

std::string Le16(uint16_t v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string Le32(uint32_t v) { return Le16(uint16_t(v)) + Le16(uint16_t(v >> 16)); }

// A bitmap with the given header size (12: the OS/2 core header), masks or palette after it.
std::string Bmp(uint32_t headerSize, int32_t w, int32_t h, uint16_t bits, uint32_t compression,
                const std::string& extra, const std::string& pixels) {
  std::string info;
  if (headerSize == 12) {
    info = Le32(12) + Le16(uint16_t(w)) + Le16(uint16_t(h)) + Le16(1) + Le16(bits);
  } else {
    info = Le32(headerSize) + Le32(uint32_t(w)) + Le32(uint32_t(h)) + Le16(1) + Le16(bits) +
           Le32(compression) + Le32(uint32_t(pixels.size())) + Le32(2835) + Le32(2835) +
           Le32(0) + Le32(0);
    info.resize(headerSize, '\0');
  }
  const uint32_t off = uint32_t(14 + info.size() + extra.size());
  return "BM" + Le32(off + uint32_t(pixels.size())) + Le32(0) + Le32(off) + info + extra + pixels;
}

std::string Rows(int w, int h, int bits, unsigned seed) {
  const int stride = (w * bits + 31) / 32 * 4;
  std::string rows;
  for (int i = 0; i < stride * h; ++i) rows += char((i * 37 + seed) & 0xFF);
  return rows;
}

std::string Palette(int n, bool core) {
  std::string p;
  for (int i = 0; i < n; ++i) {
    p += {char(i * 40), char(255 - i * 30), char(i * 90)};
    if (!core) p += '\0';
  }
  return p;
}

void Bitmaps() {
  Put("bmp", "1bit", Bmp(40, 9, 3, 1, 0, Palette(2, false), Rows(9, 3, 1, 1)));
  Put("bmp", "4bit-top-down", Bmp(40, 5, -3, 4, 0, Palette(16, false), Rows(5, 3, 4, 2)));
  Put("bmp", "8bit", Bmp(40, 4, 4, 8, 0, Palette(6, false), Rows(4, 4, 8, 3)));
  Put("bmp", "16bit", Bmp(40, 3, 2, 16, 0, "", Rows(3, 2, 16, 4)));
  Put("bmp", "16bit-masks", Bmp(40, 3, 2, 16, 3, Le32(0xF800) + Le32(0x07E0) + Le32(0x1F), Rows(3, 2, 16, 5)));
  Put("bmp", "24bit", Bmp(40, 5, 4, 24, 0, "", Rows(5, 4, 24, 6)));
  Put("bmp", "32bit-alpha-v5",
      Bmp(124, 2, 2, 32, 3, "", Rows(2, 2, 32, 7)).replace(14 + 40, 16,
          Le32(0xFF0000) + Le32(0xFF00) + Le32(0xFF) + Le32(0xFF000000)));
  Put("bmp", "os2-core", Bmp(12, 4, 2, 8, 0, Palette(4, true), Rows(4, 2, 8, 8)));
  // Runs, a literal, a move, end of line and end of picture.
  Put("bmp", "rle8", Bmp(40, 6, 3, 8, 1, Palette(4, false),
                         std::string("\x03\x01\x00\x03\x02\x03\x00\x00\x00\x02\x01\x01\x02\x02\x00\x01", 16)));
  Put("bmp", "rle4", Bmp(40, 7, 2, 4, 2, Palette(16, false),
                         std::string("\x05\x12\x00\x00\x00\x03\x21\x30\x00\x01", 10)));
}

std::string Jpeg(int w, int h, int components, J_COLOR_SPACE space, bool progressive, bool arith) {
  std::vector<uint8_t> samples(size_t(w) * h * components);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = uint8_t((i * 29 + i / size_t(w * components) * 71) & 0xFF);
  return bilvox::testing::EncodeJpeg(w, h, components, space, samples,
                                     {.quality = 50, .progressive = progressive, .arithmetic = arith});
}

void Jpegs() {
  Put("jpeg", "rgb", Jpeg(16, 8, 3, JCS_RGB, false, false));
  Put("jpeg", "gray", Jpeg(9, 7, 1, JCS_GRAYSCALE, false, false));
  Put("jpeg", "progressive", Jpeg(12, 12, 3, JCS_RGB, true, false));
  Put("jpeg", "cmyk", Jpeg(8, 8, 4, JCS_CMYK, false, false));
  Put("jpeg", "arithmetic", Jpeg(8, 8, 3, JCS_RGB, false, true));
}

uint32_t F(float v) { return std::bit_cast<uint32_t>(v); }

void Metafiles() {
  using bilvox::testing::WmfBuilder;
  using bilvox::testing::EmfBuilder;
  const std::string dib = bilvox::testing::Dib24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});

  WmfBuilder shapes;
  shapes.Rec(0x020B, {0, 0})                 // window origin
      .Rec(0x020C, {1000, 2000})             // window extent
      .Pen(0, 20, 0x0000FF)
      .Brush(0, 0x00FF00)
      .Rec(0x012D, {0})
      .Rec(0x012D, {1})
      .Box(0x041B, 100, 100, 900, 500)
      .Box(0x0418, 1000, 100, 1900, 900)
      .Rec(0x061C, {50, 50, 900, 1900, 600, 1000})              // rounded rectangle
      .Rec(0x0817, {100, 1900, 900, 1000, 900, 1900, 100, 1000})  // arc
      .Rec(0x081A, {0, 500, 500, 0, 900, 900, 100, 100})         // pie
      .Polygon({{10, 10}, {300, 50}, {150, 400}})
      .Rec(0x0325, {3, 0, 0, 500, 500, 1000, 0})                 // polyline
      .Rec(0x0538, {2, 3, 3, 0, 0, 10, 0, 0, 10, 20, 20, 30, 20, 20, 30})  // two polygons
      .Rec(0x0213, {700, 700})                                    // line to
      .Rec(0x001E, {})                                            // save
      .Rec(0x0209, {0x00FF, 0})                                   // text colour
      .Font(-120, 700, "Arial")
      .Rec(0x012D, {2})
      .TextOut(200, 800, "Zażółć"_cp)
      .Rec(0x0127, {0xFFFF})                                      // restore
      .Rec(0x01F0, {0})                                           // delete the pen
      .Rec(0x061D, {0x0021, 0x00F0, 50, 50, 0, 0});               // pattern fill
  {
    ByteWriter w;  // extended text with an opaque box
    w.U16(950), w.U16(100), w.U16(4), w.U16(2);
    w.U16(90), w.U16(940), w.U16(400), w.U16(990);
    w.Bytes("Tekst");
    w.U8(0);
    shapes.Raw(0x0A32, w.Take());
  }
  {
    ByteWriter w;  // a bitmap stretched into a rectangle
    w.U32(0x00CC0020), w.U16(0);
    for (int v : {2, 2, 0, 0, 300, 300, 1500, 1500}) w.U16(uint16_t(v));
    w.Bytes(dib);
    shapes.Raw(0x0F43, w.Take());
  }
  Put("wmf", "placeable", shapes.Eof().Build(1440, 0, 0, 2000, 1000));
  Put("wmf", "plain", WmfBuilder()
                                   .Rec(0x020C, {300, 400})
                                   .Pen(0, 0, 0)
                                   .Rec(0x012D, {0})
                                   .Box(0x041B, 10, 10, 390, 290)
                                   .Eof()
                                   .Build());

  EmfBuilder e;
  e.Rec(38, {1, 0, 10, 0, 0x0000FF})           // pen
      .Rec(39, {2, 0, 0x00FF00, 0})            // brush
      .Rec(37, {1})
      .Rec(37, {2})
      .Rec(17, {8})                            // anisotropic mapping
      .Rec(9, {1000, 1000})
      .Rec(11, {400, 400})
      .Rec(43, {10, 10, 500, 300})
      .Rec(42, {500, 300, 900, 900})
      .Rec(44, {10, 600, 400, 900, 40, 40})
      .Rec(46, {100, 100, 300, 300, 300, 200, 100, 200})  // chord
      .Rec(27, {0, 0})
      .Rec(54, {999, 999})
      .Points(86, {{10, 10}, {100, 20}, {50, 90}}, true)
      .Points(2, {{0, 0}, {100, 300}, {200, -100}, {300, 200}}, false)
      .Points(6, {{600, 600}, {700, 650}}, false)
      .Rec(33, {})
      .Rec(36, {F(0.8f), F(0.6f), F(-0.6f), F(0.8f), F(100), F(50), 2})  // rotate
      .Rec(59, {})
      .Rec(27, {0, 0})
      .Rec(54, {200, 0})
      .Rec(54, {200, 200})
      .Rec(61, {})
      .Rec(60, {})
      .Rec(63, {0, 0, 0, 0})
      .Rec(34, {-1})
      .Rec(37, {0x80000005})                   // stock hollow brush
      .Font(3, -40, 400, u"Times New Roman")
      .Rec(37, {3})
      .Rec(24, {0x000080})
      .Rec(22, {24})                           // baseline
      .TextW(300, 700, u"Zażółć gęślą jaźń");
  {
    ByteWriter w;  // StretchDIBits with the bitmap after the fixed part
    w.Zeros(16);
    for (int v : {600, 50, 0, 0, 2, 2}) w.I32(v);
    w.U32(80), w.U32(40), w.U32(120), w.U32(uint32_t(dib.size() - 40));
    w.U32(0), w.U32(0x00CC0020);
    w.I32(200), w.I32(200);
    w.Bytes(dib);
    e.Raw(81, w.Take());
  }
  {
    ByteWriter w;  // ExtCreatePen: a geometric pen
    w.U32(4), w.Zeros(16), w.U32(0x00010000), w.U32(15), w.U32(0), w.U32(0x0000AA), w.U32(0), w.U32(0);
    e.Raw(95, w.Take());
  }
  e.Rec(37, {4});
  {
    ByteWriter w;  // PolyPolygon16: two triangles
    w.Zeros(16), w.U32(2), w.U32(6), w.U32(3), w.U32(3);
    for (int v : {0, 0, 50, 0, 0, 50, 100, 100, 150, 100, 100, 150}) w.U16(uint16_t(v));
    e.Raw(91, w.Take());
  }
  Put("emf", "shapes", e.Eof().Build(0, 0, 25000, 25000));
  // A metric mapping mode and no frame: the picture is as large as its bounds.
  Put("emf", "lometric-no-frame", EmfBuilder()
                                       .Rec(17, {2})
                                       .Rec(43, {0, 0, 1000, -500})
                                       .Eof()
                                       .Build(0, 0, 0, 0));
}

}  // namespace

// ---- the national bank's directory and tables ----

void NbpTables() {
  Put("nbp_table", "directory",
      "\xEF\xBB\xBF" "c001z270104\r\na043z270303\r\nh044z270304\r\na044z270304\r\n\r\n"
      "b010z270304\r\na045z270305\r\n");
  const std::string position =
      "<pozycja>\r\n  <nazwa_waluty>euro</nazwa_waluty>\r\n  <przelicznik>1</przelicznik>\r\n"
      "  <kod_waluty>EUR</kod_waluty>\r\n  <kurs_sredni>4,3012</kurs_sredni>\r\n</pozycja>\r\n";
  Put("nbp_table", "table",
      "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>\r\n<tabela_kursow typ=\"A\" uid=\"27a044\">\r\n"
      "<numer_tabeli>044/A/NBP/2027</numer_tabeli>\r\n<data_publikacji>2027-03-04</data_publikacji>\r\n"
      "<pozycja><nazwa_waluty>dolar ameryka\xF1ski</nazwa_waluty><przelicznik>1</przelicznik>"
      "<kod_waluty>USD</kod_waluty><kurs_sredni>3,9876</kurs_sredni></pozycja>\r\n" +
          position + "</tabela_kursow>\r\n");
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_corpus <corpus folder>\n");
    return 2;
  }
  g_root = argv[1];
  setenv("BILVOX_TODAY", "2027-03-05", 1);
  const fs::path scratch = fs::temp_directory_path() / ("bilvox-corpus-" + std::to_string(getpid()));
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  setenv("BILVOX_REGISTRY", (scratch / "unused.reg").c_str(), 1);
  Contractors();
  Goods();
  Autolists(scratch);
  PrinterSetup();
  Settings(scratch);
  Documents(scratch);
  Bitmaps();
  Jpegs();
  Metafiles();
  NbpTables();
  fs::remove_all(scratch);
  return 0;
}
