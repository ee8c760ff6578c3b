// The report page's script (src/page/*.js) runs as one classic script in a
// browser, after a variable `T` with its words; its pure functions
// (pagina_funzioni.js) also load in node for their tests (tests/page/*.js).
'use strict';
const js = require('@eslint/js');

const browser = {
  document: 'readonly', window: 'readonly', location: 'readonly', history: 'readonly',
  requestAnimationFrame: 'readonly', cancelAnimationFrame: 'readonly', getComputedStyle: 'readonly',
  Blob: 'readonly', URL: 'readonly', XMLSerializer: 'readonly', Image: 'readonly',
  DOMParser: 'readonly', fetch: 'readonly', EventSource: 'readonly',
};

module.exports = [
  js.configs.recommended,
  {
    files: ['src/page/**/*.js'],
    languageOptions: {
      ecmaVersion: 2020,
      sourceType: 'script',
      globals: browser,
    },
    rules: {
      'no-unused-vars': ['error', {vars: 'local'}],
      eqeqeq: ['error', 'smart'],
      'no-implicit-globals': 'off',
    },
  },
  {files: ['src/page/pagina.js'], languageOptions: {globals: {T: 'readonly', F: 'readonly'}}},
  {files: ['src/page/pagina_funzioni.js'], languageOptions: {globals: {module: 'readonly'}}},
  {
    files: ['tests/page/**/*.js', 'eslint.config.js'],
    languageOptions: {
      ecmaVersion: 2022,
      sourceType: 'commonjs',
      globals: {require: 'readonly', module: 'writable', __dirname: 'readonly'},
    },
  },
];
