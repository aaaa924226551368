// Pictures as the test looks at them: PNG files read into RGBA pixels, and the few things the test
// finds in the game's picture at scale 1 (992 x 821).
import { inflateSync } from 'node:zlib';

const kSignature = Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]);
const kChannels = { 2: 3, 6: 4 };  // PNG colour type: RGB, RGBA

function paeth(left, up, upLeft) {
  const p = left + up - upLeft;
  const [pa, pb, pc] = [Math.abs(p - left), Math.abs(p - up), Math.abs(p - upLeft)];
  return pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
}

// A PNG of 8-bit RGB or RGBA, not interlaced (what Chromium and SDL_image write), as
// {width, height, data} with 4 bytes a pixel.
export function readPng(bytes) {
  if (!bytes.subarray(0, 8).equals(kSignature)) {
    throw new Error('not a PNG file');
  }
  let width = 0, height = 0, channels = 0;
  const compressed = [];
  for (let at = 8; at < bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      [width, height] = [body.readUInt32BE(0), body.readUInt32BE(4)];
      channels = kChannels[body[9]];
      if (body[8] !== 8 || !channels || body[12] !== 0) {
        throw new Error('a PNG other than 8-bit RGB or RGBA, not interlaced');
      }
    } else if (type === 'IDAT') {
      compressed.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(compressed));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const left = i >= channels ? rows[y * stride + i - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + i] : 0;
      const upLeft = y > 0 && i >= channels ? rows[(y - 1) * stride + i - channels] : 0;
      const predictor = [0, left, up, (left + up) >> 1, paeth(left, up, upLeft)][filter];
      rows[y * stride + i] = (line[i] + predictor) & 0xff;
    }
  }
  const data = Buffer.alloc(width * height * 4, 0xff);
  for (let p = 0; p < width * height; ++p) {
    rows.copy(data, p * 4, p * channels, p * channels + 3);
  }
  return { width, height, data };
}

// Run in the page: the canvas's pixels as a PNG file in a data: address. The canvas is read as it
// is, the game's own pixels whatever the screen and the engine's scaling make of them, and without
// a context of the test's own, which would be the one the game gets.
export function canvasInPage() {
  return document.getElementById('canvas').toDataURL('image/png');
}

export function fromDataAddress(address) {
  return readPng(Buffer.from(address.slice(address.indexOf(',') + 1), 'base64'));
}

export function colourAt(picture, x, y) {
  const at = (y * picture.width + x) * 4;
  return [...picture.data.subarray(at, at + 3)];
}

// False outside the picture: the canvas is 300 x 150 until the game first sizes it.
export function isColour(picture, x, y, colour) {
  return x < picture.width && y < picture.height &&
         colourAt(picture, x, y).every((channel, i) => channel === colour[i]);
}

// How many pixels differ between two pictures of one size, and the rectangle around them.
export function difference(a, b) {
  if (a.width !== b.width || a.height !== b.height) {
    throw new Error(`pictures of ${a.width}x${a.height} and ${b.width}x${b.height}`);
  }
  let count = 0, left = a.width, top = a.height, right = -1, bottom = -1;
  for (let y = 0; y < a.height; ++y) {
    for (let x = 0; x < a.width; ++x) {
      const at = (y * a.width + x) * 4;
      if (a.data[at] !== b.data[at] || a.data[at + 1] !== b.data[at + 1] ||
          a.data[at + 2] !== b.data[at + 2]) {
        ++count;
        [left, top] = [Math.min(left, x), Math.min(top, y)];
        [right, bottom] = [Math.max(right, x), Math.max(bottom, y)];
      }
    }
  }
  const around = count ? `${right - left + 1}x${bottom - top + 1} at ${left},${top}` : 'none';
  return { count, share: count / (a.width * a.height), around };
}

// Fails unless `shown` has zentor-replay's pixels, every one.
export function assertSame(shown, expected, what) {
  const differ = difference(shown, expected);
  if (differ.count) {
    throw new Error(`${what}: ${differ.count} pixels differ from zentor-replay's, ` +
                    `around ${differ.around}`);
  }
}

export const kBlack = [0, 0, 0];
export const kPanelGreen = [0, 255, 0];
export const kFieldGrey = [128, 128, 128];
export const kButtonFace = [192, 192, 192];
// The game-over box's title bar while the page has the focus.
const kTitleBlue = [0, 0, 128];

// The player's square at scale 1: the left end and row of the first run of 25 black pixels below
// the panel, wider than any black a rock's outline or a caption has in one row; null when none.
export function squareAt(picture) {
  for (let y = 150; y < picture.height; ++y) {
    let run = 0;
    for (let x = 0; x < picture.width; ++x) {
      run = isColour(picture, x, y, kBlack) ? run + 1 : 0;
      if (run === 25) {
        return { x: x - 24, y };
      }
    }
  }
  return null;
}

// The game-over box at scale 1: its title bar, 272 x 22 pixels at 360,354 (the box centred on
// the picture), found by its colour along the bar's middle row.
export function boxShown(picture) {
  let run = 0;
  for (let x = 360; x < 632; ++x) {
    run = isColour(picture, x, 365, kTitleBlue) ? run + 1 : 0;
    if (run >= 40) {
      return true;
    }
  }
  return false;
}

// "Click me to restart" and "Click me to stop" shown with their plain faces (no pointer over
// them), at scale 1.
export function buttonsShown(picture) {
  return isColour(picture, 255, 383, kButtonFace) && isColour(picture, 527, 383, kButtonFace);
}

// Where each shows at scale 1: the middle of "Click me to restart", of the box's OK button.
export const kRestartButton = { x: 332, y: 416 };
export const kOkButton = { x: 496, y: 443 };
// The score's caption at scale 1.
export const kScore = { x: 856, y: 56, width: 97, height: 41 };

// The pixels of an area, to tell whether it changed.
export function areaOf(picture, area) {
  const rows = [];
  for (let y = area.y; y < area.y + area.height; ++y) {
    const at = (y * picture.width + area.x) * 4;
    rows.push(picture.data.subarray(at, at + area.width * 4));
  }
  return Buffer.concat(rows);
}
