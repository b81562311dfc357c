// Reads one DWG file with @mlightcad/libredwg-web and prints its tables, blocks and entities
// as JSON on standard output for TdwgConv. One file per process: a second read in the same
// process can crash the WebAssembly module.
//   node read-dwg.mjs FILE            the drawing as JSON; exit 0
//   node read-dwg.mjs --count FILE    entity counts per kind only (the package's own object list)
// Exit status 2 when the file cannot be read, with the reason on standard error.
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { setFlagsFromString } from 'node:v8';

// The package's WebAssembly runs once per process: its quick first compilation serves, and the
// optimising one V8 starts beside it would cost more than it saves (twice the time, three times
// the processor time on a 500 kB drawing).
setFlagsFromString('--liftoff-only');

// The package reports warnings with console.log; standard output carries only our JSON.
console.log = (...args) => console.error(...args);

const args = process.argv.slice(2);
const countOnly = args[0] === '--count';
const file = countOnly ? args[1] : args[0];
if (!file) {
  console.error('usage: node read-dwg.mjs [--count] FILE.dwg');
  process.exit(2);
}

const here = dirname(fileURLToPath(import.meta.url));
// TdwgConv shows the last line of standard error: without the package that would be Node's
// version line, so the reason is said here on one line.
let LibreDwg, Dwg_Object_Type;
try {
  ({ LibreDwg, Dwg_Object_Type } = await import('@mlightcad/libredwg-web'));
} catch (e) {
  console.error(e.code === 'ERR_MODULE_NOT_FOUND'
    ? `the DWG reader's package is not installed: run "npm ci" in ${here}`
    : `the DWG reader's package cannot be loaded: ${String(e.message).split('\n')[0]}`);
  process.exit(2);
}
const lib = await LibreDwg.create(join(here, 'node_modules/@mlightcad/libredwg-web/wasm') + '/');

let bytes;
try {
  bytes = readFileSync(file);
} catch (e) {
  console.error(`cannot open ${file}: ${e.message}`);
  process.exit(2);
}
// Errors from this value up are critical in LibreDWG: the drawing was not read.
const kCriticalError = 128;
let dwg;
try {
  const wasm = lib.wasmInstance;
  wasm.FS.writeFile('input.dwg', new Uint8Array(bytes));
  const result = wasm.dwg_read_file('input.dwg');
  wasm.FS.unlink('input.dwg');
  if (result.error >= kCriticalError) {
    console.error(`not a readable DWG file (LibreDWG error ${result.error})`);
    process.exit(2);
  }
  dwg = result.data;
} catch (e) {
  console.error(`not a readable DWG file: ${e.message ?? e}`);
  process.exit(2);
}
let db;
try {
  db = lib.convert(dwg);
} catch (e) {
  console.error(`damaged DWG file: ${e.message ?? e}`);
  process.exit(2);
}

// Every drawing has a model space and a layer "0"; a read that found neither met a file that
// ends early or is damaged past its header (LibreDWG does not always say so).
const hasModelSpace = (db.tables?.BLOCK_RECORD?.entries ?? []).some((b) => /^\*model_space$/i.test(b.name ?? ''));
if (!hasModelSpace || (db.tables?.LAYER?.entries ?? []).length === 0) {
  console.error('damaged or incomplete DWG file: it has no model space');
  process.exit(2);
}

if (countOnly) {
  const counts = {};
  for (const e of db.entities) counts[e.type] = (counts[e.type] ?? 0) + 1;
  process.stdout.write(JSON.stringify(counts) + '\n');
  process.exit(0);
}

// Entity kinds the file holds that the package's drawing lists nowhere (proxy entities, regions,
// traces, ...): counted from its object list, so that the report names them.
const kindName = (type) => {
  const name = String(Dwg_Object_Type?.[type] ?? 'UNKNOWN').replace(/^DWG_TYPE_/, '');
  if (name === 'UNKNOWN_ENT' || name === 'PROXY_ENTITY') return 'PROXY_ENTITY';
  if (name.startsWith('DIMENSION_')) return 'DIMENSION';
  if (name === 'TABLE') return 'ACAD_TABLE';
  return name.replace(/^POLYLINE_(2D|3D)$/, 'POLYLINE$1');
};
const structural = new Set(['BLOCK', 'ENDBLK', 'SEQEND', 'VERTEX_2D', 'VERTEX_3D', 'VERTEX_MESH', 'VERTEX_PFACE',
  'VERTEX_PFACE_FACE']);
const listed = new Set((db.entities ?? []).map((e) => e.type));
for (const b of db.tables?.BLOCK_RECORD?.entries ?? []) for (const e of b.entities ?? []) listed.add(e.type);
const unlisted = {};
// Of those, traces and arc dimensions are read here, field by field, into the drawing's lists:
// a trace's corners, an arc dimension's block.
const layerNames = new Map((db.tables?.LAYER?.entries ?? []).map((l) => [l.handle, l.name]));
const lineTypeNames = new Map((db.tables?.LTYPE?.entries ?? []).map((l) => [l.handle, l.name]));
const blockRecords = new Map((db.tables?.BLOCK_RECORD?.entries ?? []).map((b) => [b.handle, b]));
const modelOrPaper = (name) => /^\*(model|paper)_space/i.test(name ?? '');
const spaceHandle = (re) => (db.tables?.BLOCK_RECORD?.entries ?? []).find((b) => re.test(b.name ?? ''))?.handle;
const hex = (id) => Number(id).toString(16).toUpperCase();
const readHere = (o, kind) => {
  const entity = lib.dwg_object_to_entity(o);
  const tio = lib.dwg_object_to_entity_tio(o);
  if (!entity || !tio) return null;
  const field = (name) => lib.dwg_dynapi_entity_data(tio, name);
  const colour = lib.dwg_object_entity_get_color_object(entity);
  const mode = lib.dwg_dynapi_common_value(tio, 'entmode')?.data;
  const common = {
    type: kind,
    handle: hex(lib.dwg_object_entity_get_handle_object(entity).value),
    // Model and paper space say so by the entity's mode (2, 1); a block's entities name it.
    ownerBlockRecordSoftId: mode === 2 ? spaceHandle(/^\*model_space$/i)
      : mode === 1 ? spaceHandle(/^\*paper_space/i)
        : hex(lib.dwg_object_entity_get_ownerhandle_object(entity).absolute_ref),
    layer: layerNames.get(hex(lib.dwg_object_entity_get_layer_object_ref(entity).handleref.value)) ?? '0',
    lineType: lineTypeNames.get(hex(lib.dwg_object_entity_get_ltype_object_ref(entity).handleref.value)) ?? '',
    colorIndex: colour.index,
    lineweight: lib.dwg_object_entity_get_line_weight(entity),
    xdata: [],
  };
  if (kind === 'TRACE') {
    return { ...common, corner1: field('corner1'), corner2: field('corner2'), corner3: field('corner3'),
      corner4: field('corner4'), extrusionDirection: field('extrusion') };
  }
  return { ...common, name: lib.dwg_entity_get_block_name(tio, 'block') ?? '', insertionPoint: { x: 0, y: 0 } };
};
// A multi-line's elements take their colours from its style, which the package does not hand on:
// the styles' element colours by handle, and each multi-line's style.
const styleColours = new Map();
const mlineStyles = new Map();
// A leader's arrowhead flag as the file has it (the package's own field says otherwise for some
// files) and its dimension style, which sizes the arrowhead.
const leaders = new Map();
const readStyle = (o) => {
  const tio = lib.dwg_object_to_object_tio(o);
  const lines = lib.dwg_dynapi_entity_data(tio, 'lines');
  const size = lib.dwg_dynapi_subclass_size('MLINESTYLE_line');
  const colours = [];
  for (let k = 0; k < lib.dwg_dynapi_entity_data(tio, 'num_lines'); k++)
    colours.push(lib.dwg_dynapi_subclass_data(lines + k * size, 'MLINESTYLE_line', 'color')?.index ?? 256);
  styleColours.set(hex(lib.dwg_object_get_handle_object(o).value), colours);
};
try {
  const wasm = lib.wasmInstance;
  const count = wasm.dwg_get_num_objects(dwg);
  for (let i = 0; i < count; i++) {
    const o = wasm.dwg_get_object(dwg, i);
    if (!o) continue;
    const type = wasm.dwg_object_get_fixedtype(o);
    try {
      if (type === Dwg_Object_Type.DWG_TYPE_MLINESTYLE) readStyle(o);
      if (type === Dwg_Object_Type.DWG_TYPE_LEADER) {
        const tio = lib.dwg_object_to_entity_tio(o);
        leaders.set(hex(lib.dwg_object_get_handle_object(o).value), {
          arrowheadOn: lib.dwg_dynapi_entity_data(tio, 'arrowhead_on') !== 0,
          dimStyle: lib.dwg_entity_get_dimstyle_name(tio) ?? '',
        });
      }
      if (type === Dwg_Object_Type.DWG_TYPE_MLINE) {
        mlineStyles.set(hex(lib.dwg_object_get_handle_object(o).value),
          lib.dwg_ref_get_id(lib.dwg_dynapi_entity_data(lib.dwg_object_to_entity_tio(o), 'mlinestyle')));
      }
    } catch {
      // A multi-line without its style's colours keeps its own.
    }
    if (wasm.dwg_object_get_supertype(o) !== 0) continue;
    const kind = kindName(type);
    if (structural.has(kind) || listed.has(kind)) continue;
    let e = null;
    if (kind === 'TRACE' || kind === 'ARC_DIMENSION') {
      try {
        e = readHere(o, kind);
      } catch {
        e = null;  // counted as not handed on
      }
    }
    const owner = e && blockRecords.get(e.ownerBlockRecordSoftId);
    if (!owner) {
      unlisted[kind] = (unlisted[kind] ?? 0) + 1;
    } else if (modelOrPaper(owner.name)) {
      db.entities.push(e);
    } else {
      owner.entities = [...(owner.entities ?? []), e];
    }
  }
} catch {
  // The census only adds to the report; the drawing stands without it.
}
const withStyle = (e) => {
  const colours = e.type === 'MLINE' && styleColours.get(mlineStyles.get(e.handle));
  if (colours) e.elementColours = colours;
  const leader = e.type === 'LEADER' && leaders.get(e.handle);
  if (leader) Object.assign(e, leader);
};
(db.entities ?? []).forEach(withStyle);
for (const b of db.tables?.BLOCK_RECORD?.entries ?? []) (b.entities ?? []).forEach(withStyle);

// The drawing's code page by its DXF name: the package decodes the texts of drawings before 2007
// with it, and the header it hands on leaves it empty.
const kCodePages = ['', 'ASCII', 'ISO8859-1', 'ISO8859-2', 'ISO8859-3', 'ISO8859-4', 'ISO8859-5', 'ISO8859-6',
  'ISO8859-7', 'ISO8859-8', 'ISO8859-9', 'DOS437', 'DOS850', 'DOS852', 'DOS855', 'DOS857', 'DOS860', 'DOS861',
  'DOS863', 'DOS864', 'DOS865', 'DOS869', 'DOS932', 'MACINTOSH', 'BIG5', 'KSC5601', 'JOHAB', 'DOS866', 'ANSI_1250',
  'ANSI_1251', 'ANSI_1252', 'GB2312', 'ANSI_1253', 'ANSI_1254', 'ANSI_1255', 'ANSI_1256', 'ANSI_1257', 'ANSI_874',
  'ANSI_932', 'ANSI_936', 'ANSI_949', 'ANSI_950', 'ANSI_1361', 'UTF-16', 'ANSI_1258'];
let codePage = '';
try {
  codePage = kCodePages[lib.dwg_get_codepage(dwg)] ?? '';
} catch {
  // Only the report misses it.
}
const h = db.header ?? {};
const out = {
  header: { ACADVER: h.ACADVER ?? '', DWGCODEPAGE: h.DWGCODEPAGE || codePage, INSUNITS: h.INSUNITS ?? 0,
    DIMASZ: h.DIMASZ ?? 0, DIMSCALE: h.DIMSCALE ?? 1 },
  dimStyles: (db.tables?.DIMSTYLE?.entries ?? []).map((d) => ({ name: d.name, DIMASZ: d.DIMASZ, DIMSCALE: d.DIMSCALE })),
  layers: db.tables?.LAYER?.entries ?? [],
  lineTypes: db.tables?.LTYPE?.entries ?? [],
  blocks: db.tables?.BLOCK_RECORD?.entries ?? [],
  entities: db.entities ?? [],
  unlisted,
};
// Broken UTF-16 in names (lone surrogates) becomes U+FFFD; 64-bit handles become numbers.
const text = JSON.stringify(out, (key, value) => {
  if (key === 'bmpPreview') return undefined;
  if (typeof value === 'string') return value.toWellFormed();
  if (typeof value === 'bigint') return Number(value);
  return value;
});
process.stdout.write(text, () => process.exit(0));
