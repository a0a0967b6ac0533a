// The game's scramble moves applied by two general cube libraries, `cubing`
// (its KPuzzle) and `cubejs` (3x3x3 only), timed the same way; before any
// timing, the translation of our turns into their notation is checked by
// comparing stickers with the game's own model after many of the moves.
//
// usage: node model_compare.mjs MOVES3.json MOVES4.json
// (the JSON files come from bench/model_moves; scripts/bench.sh copies this
// file next to the node_modules it installed). Prints one JSON object.
import { cube3x3x3, puzzles } from "cubing/puzzles";
import { Alg, Move } from "cubing/alg";
import { createRequire } from "node:module";
import { readFileSync } from "node:fs";

const require = createRequire(import.meta.url);
const Cube = require("cubejs");

// ---- our turns in standard notation ----

// Our sign is the right-hand rotation about the axis: turnAxisX = -1 carries
// front stickers up, the way R turns; turnAxisY = -1 carries them left, the
// way U turns. turnLayer k >= 1 is the layer at coordinate k - 1 (x for X,
// y for Y); 0 is the whole cube (x, y). An empty move (both 0) is nothing.
function layerName(n, axis, index) {
  const [low, mid, high] = axis === "X" ? ["L", "M", "R"] : ["D", "E", "U"];
  // Moves named from the low side (L, D, and M, E, which follow them) turn
  // the other way round to the high side's.
  if (index === n - 1) return { family: high, flip: false };
  if (index === 0) return { family: low, flip: true };
  if (n === 3) return { family: mid, flip: true };
  return { family: `${n - index}${high}`, flip: false };
}

function notation(n, [axisX, axisY, turnLayer]) {
  const axis = axisX !== 0 ? "X" : axisY !== 0 ? "Y" : null;
  if (axis === null) return null;
  const sign = axis === "X" ? axisX : axisY;
  const highWay = sign < 0;  // the way R (or U) turns
  if (turnLayer === 0) return (axis === "X" ? "x" : "y") + (highWay ? "" : "'");
  const { family, flip } = layerName(n, axis, turnLayer - 1);
  return family + (highWay !== flip ? "" : "'");
}

// ---- stickers as a map "x,y,z,FACE" -> face letter of the colour ----

const FACE_OF_SIDE = ["L", "R", "D", "U", "B", "F"];      // our FaceIndex 0..5
const FACE_OF_CODE = [null, "U", "D", "F", "B", "L", "R"];  // solved colour codes

function modelStickers(n, cubies) {
  const map = new Map();
  let i = 0;
  for (let x = 0; x < n; x++)
    for (let y = 0; y < n; y++)
      for (let z = 0; z < n; z++, i++) {
        const outer = [x === 0, x === n - 1, y === 0, y === n - 1, z === 0, z === n - 1];
        for (let f = 0; f < 6; f++)
          if (outer[f]) map.set(`${x},${y},${z},${FACE_OF_SIDE[f]}`, FACE_OF_CODE[cubies[i][f]]);
      }
  return map;
}

// cubejs facelets: U R F D L B, nine each, row by row as on its net.
function cubejsStickers(facelets) {
  const where = {
    U: (r, c) => [c, 2, r], R: (r, c) => [2, 2 - r, 2 - c], F: (r, c) => [c, 2 - r, 2],
    D: (r, c) => [c, 0, 2 - r], L: (r, c) => [0, 2 - r, c], B: (r, c) => [2 - c, 2 - r, 0],
  };
  const map = new Map();
  "URFDLB".split("").forEach((face, k) => {
    for (let i = 0; i < 9; i++) {
      const [x, y, z] = where[face](Math.floor(i / 3), i % 3);
      map.set(`${x},${y},${z},${face}`, facelets[9 * k + i]);
    }
  });
  return map;
}

// cubing: where each piece slot (orbit, position, orientation) lies, learnt
// from the library itself. A layer move changes exactly the positions in its
// layer, which gives their coordinates; the solved 2D picture's colours then
// tell which face each slot is on.
async function cubingReader(loader, n) {
  const kpuzzle = await loader.kpuzzle();
  const svg = await loader.svg();
  const solved = kpuzzle.defaultPattern();
  const fill = {};
  for (const m of svg.matchAll(/id="([A-Z]+)-l(\d+)-o(\d+)"[^>]*?style="fill: ?([^";]+)/g)) {
    fill[m[1]] ??= [];
    fill[m[1]][+m[2]] ??= [];
    fill[m[1]][+m[2]][+m[3]] = m[4];
  }
  const layers = {
    X: n === 3 ? ["L", "M", "R"] : ["L", "2L", "2R", "R"],
    Y: n === 3 ? ["D", "E", "U"] : ["D", "2D", "2U", "U"],
    Z: n === 3 ? ["B", "S", "F"] : ["B", "2B", "2F", "F"],
  };
  const orbits = Object.keys(solved.patternData);
  const coords = {};
  for (const orbit of orbits) coords[orbit] = solved.patternData[orbit].pieces.map(() => [null, null, null]);
  ["X", "Y", "Z"].forEach((axis, a) => {
    layers[axis].forEach((name, index) => {
      const moved = solved.applyMove(name).patternData;
      for (const orbit of orbits) {
        const before = solved.patternData[orbit];
        moved[orbit].pieces.forEach((piece, p) => {
          if (piece !== before.pieces[p] || moved[orbit].orientation[p] !== before.orientation[p]) {
            if (coords[orbit][p][a] !== null) throw new Error(`${orbit} ${p} lies in two ${axis} layers`);
            coords[orbit][p][a] = index;
          }
        });
      }
    });
  });
  // A colour is a face's when every fully placed slot showing it lies on
  // that face's layer.
  const colourFace = {};
  const AXIS_FACES = [["L", "R"], ["D", "U"], ["B", "F"]];
  const shown = {};
  for (const orbit of orbits)
    coords[orbit].forEach((c, p) => {
      if (c.includes(null)) return;
      for (const colour of fill[orbit][p]) (shown[colour] ??= []).push(c);
    });
  for (const [colour, places] of Object.entries(shown)) {
    for (let a = 0; a < 3; a++)
      for (const [end, face] of [[0, AXIS_FACES[a][0]], [n - 1, AXIS_FACES[a][1]]])
        if (places.every((c) => c[a] === end)) colourFace[colour] = face;
    if (!colourFace[colour]) throw new Error(`no face for colour ${colour}`);
  }
  // Slots: "x,y,z,FACE" of every (orbit, position, orientation).
  const slotKey = {};
  const keys = new Set();
  for (const orbit of orbits)
    slotKey[orbit] = coords[orbit].map((c, p) => {
      const place = [...c];
      const faces = fill[orbit][p].map((colour) => colourFace[colour]);
      faces.forEach((face) => {
        const a = AXIS_FACES.findIndex((pair) => pair.includes(face));
        const end = AXIS_FACES[a][0] === face ? 0 : n - 1;
        if (place[a] !== null && place[a] !== end) throw new Error(`${orbit} ${p}: face ${face} off its layer`);
        place[a] = end;
      });
      if (place.includes(null)) throw new Error(`${orbit} ${p} could not be placed`);
      // A centre's slots are one sticker in each of its turned drawings.
      const own = new Set();
      return faces.map((face) => {
        const key = `${place.join(",")},${face}`;
        if (keys.has(key) && !own.has(key)) throw new Error(`two positions at ${key}`);
        keys.add(key);
        own.add(key);
        return key;
      });
    });
  if (keys.size !== 6 * n * n) throw new Error(`${keys.size} slots placed, wanted ${6 * n * n}`);

  // The sticker in slot o of a position: the piece's own slot, shifted by
  // its twist; `twist` (+1 or -1) is the library's sense of orientation,
  // settled once against cubejs.
  return {
    kpuzzle,
    stickers(pattern, twist) {
      const map = new Map();
      for (const orbit of orbits) {
        const { pieces, orientation } = pattern.patternData[orbit];
        pieces.forEach((piece, p) => {
          const count = fill[orbit][piece].length;
          slotKey[orbit][p].forEach((key, o) => {
            const from = (((o + twist * orientation[p]) % count) + count) % count;
            map.set(key, colourFace[fill[orbit][piece][from]]);
          });
        });
      }
      return map;
    },
  };
}

function sameStickers(a, b) {
  if (a.size !== b.size) return false;
  for (const [key, value] of a) if (b.get(key) !== value) return false;
  return true;
}

// ---- timing ----

// Median of batches of at least 20 ms, after a warm-up, in microseconds per call.
function time(fn) {
  for (let i = 0; i < 300; i++) fn();
  let batch = 1;
  for (;;) {
    const t0 = performance.now();
    for (let i = 0; i < batch; i++) fn();
    if (performance.now() - t0 >= 20) break;
    batch *= 2;
  }
  const samples = [];
  for (let r = 0; r < 15; r++) {
    const t0 = performance.now();
    for (let i = 0; i < batch; i++) fn();
    samples.push(((performance.now() - t0) * 1000) / batch);
  }
  samples.sort((x, y) => x - y);
  return samples[Math.floor(samples.length / 2)];
}

let sink = 0;

async function main() {
  const [file3, file4] = process.argv.slice(2);
  const games = [JSON.parse(readFileSync(file3, "utf8")), JSON.parse(readFileSync(file4, "utf8"))];
  const result = { node: process.version, checks: [], rows: [] };

  const readers = { 3: await cubingReader(cube3x3x3, 3), 4: await cubingReader(puzzles["4x4x4"], 4) };

  // The library's orientation sense, from standard moves alone (no
  // translation involved): exactly one of the two must agree with cubejs.
  const probe = "R U F' L D' B2 R' U2 F L'";
  const cubejsProbe = cubejsStickers(new Cube().move(probe).asString());
  const senses = [1, -1].filter((twist) =>
    sameStickers(readers[3].stickers(readers[3].kpuzzle.defaultPattern().applyAlg(probe), twist), cubejsProbe));
  if (senses.length !== 1) throw new Error(`cubing's orientation sense is unclear (${senses.length} fit)`);
  const twist = senses[0];

  for (const game of games) {
    const n = game.n;
    const names = game.moves.map((m) => notation(n, m));
    const real = names.filter((s) => s !== null);
    // Stickers after prefixes of the scramble: ours against each library.
    let checked = 0;
    for (const point of game.stickers) {
      const prefix = names.slice(0, point.after).filter((s) => s !== null).join(" ");
      const ours = modelStickers(n, point.cubies);
      const theirs = readers[n].stickers(readers[n].kpuzzle.defaultPattern().applyAlg(prefix), twist);
      if (!sameStickers(ours, theirs)) throw new Error(`N=${n}: cubing differs after ${point.after} moves: ${prefix}`);
      if (n === 3 && !sameStickers(ours, cubejsStickers(new Cube().move(prefix).asString())))
        throw new Error(`N=3: cubejs differs after ${point.after} moves: ${prefix}`);
      checked++;
    }
    result.checks.push({ n, points: checked, against: n === 3 ? ["cubing", "cubejs"] : ["cubing"] });

    // cubing: the quicker of its two ways to apply a move list.
    const kpuzzle = readers[n].kpuzzle;
    const moves = real.map((s) => Move.fromString(s));
    const alg = new Alg(moves);
    const perMove = time(() => {
      let p = kpuzzle.defaultPattern();
      for (const m of moves) p = p.applyMove(m);
      sink += p.patternData.CORNERS.pieces[0];
    });
    const wholeAlg = time(() => {
      sink += kpuzzle.defaultPattern().applyAlg(alg).patternData.CORNERS.pieces[0];
    });
    result.rows.push({ n, library: "cubing", moves: real.length, us: Math.min(perMove, wholeAlg),
                       how: perMove <= wholeAlg ? "applyMove per move" : "applyAlg" });
    if (n === 3) {
      const text = real.join(" ");
      const cube = new Cube();
      const us = time(() => {
        cube.identity();
        cube.move(text);
        sink += cube.cp[0];
      });
      result.rows.push({ n, library: "cubejs", moves: real.length, us, how: "move(string)" });
    }
  }
  result.sink = sink;
  console.log(JSON.stringify(result));
}

main().catch((error) => {
  console.error(`model_compare: ${error.message}`);
  process.exit(1);
});
