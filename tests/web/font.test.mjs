// The site's font, cut down by web/subset-font.py: it has a glyph for every character of the
// texts the game draws (its captions, the box's texts, the digits of the scores), and it carries
// none of the name that Liberation's license reserves, whose text ships beside it.
//
// Environment: ZENTOR_SITE, the built site (build-web/site).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { test } from 'node:test';

const site = resolve(process.env.ZENTOR_SITE ?? 'build-web/site');
const sources = resolve(new URL('../../src', import.meta.url).pathname);

// The font's characters and names, as fonttools reads them.
const font = JSON.parse(execFileSync('/usr/bin/python3', ['-c', `
import json, sys
from fontTools.ttLib import TTFont
font = TTFont(sys.argv[1])
print(json.dumps({"characters": sorted(font.getBestCmap()),
                  "names": {n.nameID: n.toUnicode() for n in font["name"].names}}))
`, join(site, 'ZentorSans-Regular.ttf')]));

// The string literals of the files that hold the texts the game draws.
function drawnTexts() {
  const files = ['playfield/layout.cpp', 'picture/dialog_look.cpp',
                 ...readdirSync(join(sources, 'game')).map(file => `game/${file}`)];
  return files.flatMap(file =>
    readFileSync(join(sources, file), 'utf8').split('\n')
      .filter(line => !line.startsWith('#include') && !line.trimStart().startsWith('//'))
      .flatMap(line => [...line.matchAll(/"((?:[^"\\]|\\.)*)"/g)].map(found => found[1])));
}

test('the font has a glyph for every character the game draws', () => {
  const texts = drawnTexts();
  assert.ok(texts.includes('PRESS THE SPACE BAR TO START') && texts.includes('OK'),
            'the texts are not where the test looks for them');
  const has = new Set(font.characters);
  for (const text of [...texts, '0123456789']) {
    const missing = [...text].filter(character => !has.has(character.codePointAt(0)));
    assert.deepEqual(missing, [], `the font has no glyph for some of "${text}"`);
  }
});

test('the cut font is renamed and its license ships beside it', () => {
  for (const id of [1, 3, 4, 6]) {
    assert.match(font.names[id], /^Zentor ?Sans/, `name ${id}: ${font.names[id]}`);
  }
  assert.doesNotMatch(Object.values(font.names).join('\n'), /Liberation/);
  const license = readFileSync(join(site, 'ZentorSans-LICENSE.txt'), 'utf8');
  assert.match(license, /^Zentor Sans is Liberation Sans \(Version [\d.]+\) cut down/);
  assert.match(license, /SIL OPEN FONT LICENSE/i);
});
