// The start page "startnm.htm": its script runs in Node's JavaScript engine
// against stand-ins for the browser's navigator, location, document and
// timer; the parts for browsers without scripting are read from the page.
//   node startpage.test.js <startnm.htm> <service host>
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const vm = require('node:vm');

const [pagePath, host] = process.argv.slice(2);
const page = fs.readFileSync(pagePath, 'latin1');
const S = 'http://' + host;
const english = S + '/nm.pl?info=64';
const russian = S + '/nm.pl?lang=r&info=64';

const scripts = [...page.matchAll(/<script language="JavaScript">\r\n([\s\S]*?)<\/script>/g)];

// Loads the page's script in a browser described by the options, runs what
// it scheduled, and returns what it wrote and where it sent the browser.
function load({ userLanguage, userAgent = 'Mozilla/4.0 (compatible; MSIE 6.0; Windows 98)', replace = true }) {
  const written = [];
  const timers = [];
  const navigations = [];
  const navigator = { userAgent };
  if (userLanguage !== undefined) navigator.userLanguage = userLanguage;
  const location = {};
  if (replace) location.replace = (address) => navigations.push('replace ' + address);
  const window = { navigator };
  Object.defineProperty(window, 'location', {
    get: () => location,
    set: (address) => navigations.push('assign ' + address),
  });
  const context = vm.createContext({
    window,
    navigator,
    location,
    document: { write: (text) => written.push(text) },
    setTimeout: (code, delay) => timers.push({ code, delay }),
  });
  vm.runInContext(scripts[0][1], context);
  const scheduled = timers.slice();
  for (const { code } of scheduled) {
    if (typeof code === 'string') vm.runInContext(code, context);
    else code();
  }
  return { written, timers: scheduled, navigations };
}

function unescapeHtml(text) {
  return text.replace(/&amp;/g, '&');
}

test('the page holds one script, in JavaScript', () => {
  assert.strictEqual(scripts.length, 1);
  assert.strictEqual((page.match(/<script/g) || []).length, 1);
});

test('the user language chooses the service page', () => {
  const cases = [
    ['ru', russian],
    ['RU', russian],
    ['ru-RU', russian],
    ['Ru-ua', russian],
    ['en', english],
    ['en-RU', english],
    ['', english],
    [undefined, english],
  ];
  for (const [language, expected] of cases) {
    const { navigations } = load({ userLanguage: language });
    assert.deepStrictEqual(navigations, ['replace ' + expected], `language ${language}`);
  }
});

test('one line is written: a link to the page it goes to, before it goes', () => {
  for (const [language, expected] of [['ru', russian], ['en', english]]) {
    const { written, timers } = load({ userLanguage: language });
    assert.strictEqual(written.length, 1);
    const match = /^Loading the page <a href="([^"]*)">([^<]*)<\/a>\.\.\.$/.exec(written[0]);
    assert.ok(match, written[0]);
    assert.strictEqual(unescapeHtml(match[1]), expected);
    assert.strictEqual(unescapeHtml(match[2]), expected);
    // The redirect waits until the page has been written.
    assert.strictEqual(timers.length, 1);
    assert.strictEqual(timers[0].delay, 0);
  }
});

test('the browser version decides between replacing the page and going on', () => {
  const cases = [
    ['Mozilla/4.0 (compatible; MSIE 4.01; Windows 95)', true, 'replace'],
    ['Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)', true, 'replace'],
    ['Mozilla/4.0 (compatible; MSIE 10.0; Windows NT 6.1)', true, 'replace'],
    ['Mozilla/2.0 (compatible; MSIE 3.02; Windows 95)', true, 'assign'],
    ['Mozilla/4.7 [en] (WinNT; I)', true, 'replace'],
    ['Mozilla/4.7 [en] (WinNT; I)', false, 'assign'],
    ['MSIE 5.0', true, 'replace'],
    ['MSIE 5.0', false, 'assign'],
    ['Mozilla/4.0 (compatible; MSIE 7', true, 'replace'],
  ];
  for (const [userAgent, replace, how] of cases) {
    const { navigations } = load({ userLanguage: 'en', userAgent, replace });
    assert.deepStrictEqual(navigations, [how + ' ' + english], userAgent);
  }
});

test('a browser without scripting goes on at once and is shown a link', () => {
  const head = /<head>([\s\S]*)<\/head>/.exec(page)[1];
  const body = /<body[^>]*>([\s\S]*)<\/body>/.exec(page)[1];
  const refresh = /<noscript>\r\n<meta http-equiv="Refresh" content="0; url=([^"]*)">\r\n<\/noscript>/.exec(head);
  assert.ok(refresh, 'refresh in the head');
  assert.strictEqual(refresh[1], S + '/nm.pl?info=32');
  const shown = /<noscript>\r\nLoading the page <a href="([^"]*)">([^<]*)<\/a>\.\.\.\r\n<\/noscript>/.exec(body);
  assert.ok(shown, 'link in the body');
  assert.strictEqual(shown[1], S + '/nm.pl?info=48');
  assert.strictEqual(shown[2], S + '/nm.pl');
});
